// The numbers N of the titles "Untitled<N>": the lowest free number is always the next one given out.
#pragma once

#include <cstdint>
#include <vector>

// A bit set that grows by 32 bits when every bit is taken. Allocation is linear in the set's size, which
// stays as small as the most untitled documents ever open at once.
class TUntitledNumbers {
public:
    // Takes the lowest clear bit and answers its index + 1 (so numbering starts at 1).
    int AllocUntitledNumber();
    // Clears bit number - 1 if it lies inside the set; other numbers are ignored.
    void FreeUntitledNumber(int number);
    // The set's size in bits (a multiple of 32).
    int Capacity() const { return static_cast<int>(bits_.size()); }

private:
    std::vector<bool> bits_;
};
