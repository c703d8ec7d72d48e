// Finding the first stop sixteen bytes at a time against looking at every byte.
#include "ZefByteStops.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

size_t ByteByByte(const std::string& line, size_t from, const TZefCharSet& stops)
{
    while (from < line.size() && !stops.Contains(static_cast<unsigned char>(line[from]))) ++from;
    return from;
}

TEST(ByteStops, FindsTheFirstStopAsAByteWalkDoes)
{
    using namespace std::string_literals;
    // Stop sets of the shapes the finder takes wide (characters, controls, both) and of others it walks.
    const TZefCharSet sets[] = {
        TZefCharSet("{/").AddRange(1, 31),           // characters and controls
        TZefCharSet("\":;{}/").AddRange(1, 32),      // the space among the controls
        TZefCharSet(",;}/"),                         // characters only
        TZefCharSet().AddRange(1, 32),               // controls only
        TZefCharSet("abcdefgh"),                     // too many characters
        TZefCharSet("x\xE9"),                        // a byte above 127
        TZefCharSet(),                               // nothing stops
        TZefCharSet().Add(0).Add(';'),              // NUL as a stop
    };
    const std::string alphabet = "ab ,;}{/:\"\t\x01\x1F\x7F\x80\xE9\xFF\x00xyz"s;
    std::mt19937 random(5);
    for (const TZefCharSet& stops : sets) {
        const TZefByteStops finder(stops);
        for (int round = 0; round < 300; ++round) {
            // Mostly plain text with a stop now and then, so runs of every length up to past sixteen occur.
            std::string line(random() % 50, 'q');
            for (char& c : line) {
                if (random() % 6 == 0) c = alphabet[random() % alphabet.size()];
            }
            for (size_t from = 0; from <= line.size(); ++from)
                ASSERT_EQ(finder.Find(line.data(), line.size(), from), ByteByByte(line, from, stops))
                    << "from " << from << " in a line of " << line.size();
        }
    }
}

} // namespace
