// The numbers of untitled documents: a growable bit set, lowest free number first.
#include "UntitledNumbers.h"

int TUntitledNumbers::AllocUntitledNumber()
{
    for (std::size_t i = 0; i < bits_.size(); ++i) {
        if (!bits_[i]) {
            bits_[i] = true;
            return static_cast<int>(i) + 1;
        }
    }
    const std::size_t first = bits_.size();
    bits_.resize(first + 32, false);
    bits_[first] = true;
    return static_cast<int>(first) + 1;
}

void TUntitledNumbers::FreeUntitledNumber(int number)
{
    if (number >= 1 && static_cast<std::size_t>(number) <= bits_.size())
        bits_[static_cast<std::size_t>(number) - 1] = false;
}
