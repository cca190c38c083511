// Sine and cosine of whole degrees for the rules, looked up in the generated table.
#include "gamecore/whole_degrees.h"

#include "gamecore/degree_values.h"
#include "tolm2/checked_table.h"

double degreeSin(int32_t degrees) {
    return checkedAt(DEGREE_SINES, degrees - DEGREE_TABLE_LOWEST, "DEGREE_SINES");
}

double degreeCos(int32_t degrees) {
    return checkedAt(DEGREE_COSINES, degrees - DEGREE_TABLE_LOWEST, "DEGREE_COSINES");
}
