// Keypad replay files: headerless 24-byte records of twelve 16-bit little-endian flags.
#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "keypad/keypad.h"
#include "keypad/keypad_fields.h"
#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr size_t STREAM_BUFFER = 8192;

TolmError openError(const std::string& name) {
    return TolmError::format("Cannot open or create file '%s'", name.c_str());
}

bool isDirectory(std::FILE* file) {
    struct stat info {};
    return ::fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}

void encode(const KeypadState& state, unsigned char (&record)[REPLAY_RECORD_BYTES]) {
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        record[k * keypad_fields::FIELD_BYTES] = state.*keypad_fields::inFileOrder(k) ? 1 : 0;
        record[k * keypad_fields::FIELD_BYTES + 1] = 0;
    }
}

// Reads one record into state, each field as soon as it is read, so that the fields of
// a cut-off record stay stored. Throws the stream's failure text.
void decode(std::FILE* file, const std::string& name, KeypadState& state) {
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        unsigned char field[keypad_fields::FIELD_BYTES];
        if (std::fread(field, 1, sizeof field, file) != sizeof field) {
            if (std::ferror(file)) throw TolmError::format("Cannot read file '%s'", name.c_str());
            throw TolmError("not enough data in stream");
        }
        state.*keypad_fields::inFileOrder(k) = field[0] != 0 || field[1] != 0;
    }
}

bool atEnd(std::FILE* file) {
    const int next = std::getc(file);
    if (next == EOF) return true;
    std::ungetc(next, file);
    return false;
}

}  // namespace

// The records go to disk through a unique temporary file and a rename, so that a failed
// save leaves the previous replay as it was.
bool Keypad::save(const std::string& filename) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(recordLength + 1) * REPLAY_RECORD_BYTES);
    for (int32_t i = 0; i <= recordLength; ++i) {
        unsigned char record[REPLAY_RECORD_BYTES];
        encode(stateAt(i), record);
        bytes.append(reinterpret_cast<const char*>(record), sizeof record);
    }
    safe_file::replace(filename, bytes, openError(filename).what());
    return true;
}

bool Keypad::load(const std::string& filename) {
    File file(std::fopen(filename.c_str(), "rb"));
    if (!file || isDirectory(file.get())) throw openError(filename);
    std::setvbuf(file.get(), nullptr, _IOFBF, STREAM_BUFFER);
    int32_t count = 0;
    std::string failure;
    try {
        while (!atEnd(file.get())) {
            if (count >= MAX_FRAME) {
                throw TolmError::format("%s: more than %d records; the rest is ignored",
                                        filename.c_str(), MAX_FRAME);
            }
            decode(file.get(), filename, entry(count));
            ++count;
        }
        if (std::ferror(file.get())) throw TolmError::format("Cannot read file '%s'", filename.c_str());
    } catch (const TolmError& e) {
        failure = e.what();
    }
    file.reset();
    recordLength = count;
    mode = PLAY;
    if (failure.empty()) return true;
    Tolm_logError(TolmError(failure));
    return false;
}
