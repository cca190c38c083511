#!/usr/bin/env python3
"""Writes src/gamecore/degree_values.h: the sine and cosine of every whole degree the
moving cards can head in, as the C library of this machine gives them for
sin(d / 180.0 * PI), kept as exact hexadecimal floating-point literals.

Run once on a glibc machine; the unit test of the table checks it against the C library
wherever that library is glibc. Python's math.sin and math.cos call the C library."""
import math
import pathlib
import sys

LOWEST, HIGHEST = -360, 360
PI = 3.14159265358979323846


def column(function):
    values = [function(d / 180.0 * PI).hex() for d in range(LOWEST, HIGHEST + 1)]
    return "".join(f"    {v},\n" for v in values)


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                       pathlib.Path(__file__).resolve().parents[2] / "src/gamecore/degree_values.h")
    count = HIGHEST - LOWEST + 1
    out.write_text(
        "// Sine and cosine of the whole degrees " f"{LOWEST}..{HIGHEST}" ", exact to the bit;\n"
        "// written by tools/degrees/make_degree_table.py, not by hand.\n"
        "#pragma once\n\n"
        "#include <array>\n#include <cstdint>\n\n"
        f"inline constexpr int32_t DEGREE_TABLE_LOWEST = {LOWEST};\n"
        f"inline constexpr int32_t DEGREE_TABLE_HIGHEST = {HIGHEST};\n\n"
        f"inline constexpr std::array<double, {count}> DEGREE_SINES = {{\n{column(math.sin)}}};\n\n"
        f"inline constexpr std::array<double, {count}> DEGREE_COSINES = {{\n{column(math.cos)}}};\n")


if __name__ == "__main__":
    main()
