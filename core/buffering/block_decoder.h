// The readout's blocks and the decoder of one RBB answer.
//
// An answer is a run of signed decimal numbers with no separator, each
// starting with "+" or "-": the first is the block's absolute value, each
// next one the change from the previous value in units of 0.0001
// ("+1.2345+10-5" is 1.2345, 1.2355, 1.2350).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavimo::buffering {

struct Block {
    long long first = 0; // 0-based point numbers, both inclusive
    long long last = 0;
    long long count() const { return last - first + 1; }
    bool operator==(const Block&) const = default;
};

// The blocks of a readout of `points` points: 0..159, 160..319, ... and a
// shorter last one; none for 0 points or less.
std::vector<Block> readoutBlocks(long long points, int blockPoints = 160);

// Decodes one answer that must hold exactly `expected` numbers, each a
// valid signed decimal number, and appends the values to `out`. On any
// other answer (a count off by one, text before the first sign, a sign
// without digits, a stray character) nothing is appended and the result is
// false. At most `expected` values are ever appended.
bool decodeBlock(std::string_view answer, std::size_t expected, std::vector<double>& out);

} // namespace tavimo::buffering
