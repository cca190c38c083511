// Keypad replay files: headerless 24-byte records of twelve 16-bit little-endian flags.
#include <string>

#include "keypad/keypad.h"
#include "keypad/keypad_fields.h"
#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace {

// A file with more records than this is cut off; one byte past it is enough to tell.
constexpr size_t MAX_READ_BYTES = static_cast<size_t>(MAX_FRAME) * REPLAY_RECORD_BYTES;

TolmError openError(const std::string& name) {
    return TolmError::format("Cannot open or create file '%s'", name.c_str());
}

void encode(const KeypadState& state, unsigned char (&record)[REPLAY_RECORD_BYTES]) {
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        record[k * keypad_fields::FIELD_BYTES] = state.*keypad_fields::inFileOrder(k) ? 1 : 0;
        record[k * keypad_fields::FIELD_BYTES + 1] = 0;
    }
}

// Decodes the record at offset at into state, each field as soon as it is whole, so that
// the fields of a cut-off record stay stored; at moves past what was decoded. A field cut
// off throws shortText.
void decode(const std::string& bytes, size_t& at, KeypadState& state,
            const std::string& shortText) {
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        if (bytes.size() - at < keypad_fields::FIELD_BYTES) throw TolmError(shortText);
        state.*keypad_fields::inFileOrder(k) = bytes[at] != 0 || bytes[at + 1] != 0;
        at += keypad_fields::FIELD_BYTES;
    }
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
    const safe_file::WholeFile file = safe_file::readWhole(filename, MAX_READ_BYTES);
    if (file.notOpened) throw openError(filename);
    // A read that failed ends the bytes where it failed: the records before it are kept.
    const std::string readFailure =
        TolmError::format("Cannot read file '%s'", filename.c_str()).what();
    int32_t count = 0;
    std::string failure;
    try {
        size_t at = 0;
        while (at < file.bytes.size()) {
            if (count >= MAX_FRAME) {
                throw TolmError::format("%s: more than %d records; the rest is ignored",
                                        filename.c_str(), MAX_FRAME);
            }
            decode(file.bytes, at, entry(count),
                   file.error != 0 ? readFailure : "not enough data in stream");
            ++count;
        }
        if (file.error != 0) throw TolmError(readFailure);
    } catch (const TolmError& e) {
        failure = e.what();
    }
    recordLength = count;
    mode = PLAY;
    if (failure.empty()) return true;
    Tolm_logError(TolmError(failure));
    return false;
}
