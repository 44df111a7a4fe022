// A libFuzzer mutator that keeps an input an EDID, so that the fuzzer's
// time goes to the decoders rather than to inputs a checksum or the header
// stops early. It changes the bytes of one block, of one descriptor, or of
// one data block of a CTA-861 or DisplayID block picked by its tag and
// length (its bytes, its tag, its length, or a data block added or taken
// out), or adds, removes or swaps whole blocks; then, most of the time, it
// puts the header back, sets the extension count to the blocks there are
// and mends the checksums of every block and DisplayID section, so that the
// few inputs left broken still try those checks.
#pragma once

#include <cstddef>
#include <cstdint>

namespace moniquet {

namespace edid_mutator {

// As LLVMFuzzerCustomMutator: mutates the `size` bytes at `data`, which has
// room for `maxSize`, and returns the new size.
std::size_t Mutate(uint8_t* data, std::size_t size, std::size_t maxSize, unsigned seed);

// As LLVMFuzzerCustomCrossOver: an EDID whose blocks come from either
// input, each at its place, into `out`; returns its size.
std::size_t CrossOver(const uint8_t* first, std::size_t firstSize, const uint8_t* second,
                      std::size_t secondSize, uint8_t* out, std::size_t maxOutSize, unsigned seed);

} // namespace edid_mutator

} // namespace moniquet
