// Files no one would write on purpose: a 100 MB line, random binary bytes, folders, pipes,
// devices and vanished files in a design file's place, and numbers with absurd exponents.
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <random>

#include "design/DesignValues.h"
#include "file_test_support.h"
#include "files/modReadWrite.h"

using namespace calbrine;
using calbrine_test::FileTest;
using Values = std::vector<float>;
using Texts = std::vector<std::string>;

namespace {

Values Stored(const DesignRecord& d) {
    return {d.CfineMin, d.CfineMax, d.C39, d.C37, d.CcoarseMin, d.CcoarseMax,
            d.C90,      d.C15,      d.C34, d.C35, d.L7,         d.IF};
}

const DesignRecord sample{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const Values builtIn{200e-12f, 20e-12f,  33e-12f,  220e-12f, 10e-12f, 240e-12f,
                     33e-12f,  180e-12f, 470e-12f, 470e-12f, 7.7e-6f, 11e6f};

std::string NotFound(const std::string& name) {
    return "Calbrine: The file '" + name + "' was not found.";
}

// The whole file after its first line: date, blank line, twelve values and the spares.
std::string LinesAfterTheFirst(const std::string& c37) {
    return "\r\ndate\r\n\r\nCfineMin: 1\r\nCfineMax: 2\r\nC39: 3\r\nC37: " + c37 +
           "\r\nCcoarseMin: 5\r\nCcoarseMax: 6\r\nC90: 7\r\nC15: 8\r\nC34: 9\r\nC35: 10\r\n"
           "L7: 11\r\nIF: 12\r\nSpare 2: 2\r\nSpare 3: 3\r\nSpare 4: 4\r\nSpare 5: 5\r\n";
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

TEST_F(FileTest, HundredMegabyteLineIsReadInBoundedTimeAndMemory) {
    {
        std::ofstream out("line.TXT", std::ios::binary);
        const std::string chunk(1 << 20, '7');
        for (int i = 0; i < 100; ++i) {
            out << chunk;
        }
    }
    const long peakBefore = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();

    // One line and no more: the file ends before the values, which stay as they were.
    DesignValues = sample;
    ReadDesignFile("line.TXT");
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    EXPECT_TRUE(services.messages.empty());

    // After the long line the values are read by position as ever.
    std::ofstream("line.TXT", std::ios::binary | std::ios::app) << LinesAfterTheFirst("4.5");
    DesignValues = DesignRecord{};
    ReadDesignFile("line.TXT");
    EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 3, 4.5f, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(services.messages.empty());

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_LT(PeakKilobytes() - peakBefore, 64 * 1024);
}

TEST_F(FileTest, RandomBinaryBytesLeaveFiniteValues) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 random(seed);
        std::string bytes(256 * 1024, '\0');
        for (std::size_t i = 0; i < bytes.size(); i += 7) {  // every seventh byte stays NUL
            for (std::size_t j = i + 1; j < std::min(i + 7, bytes.size()); ++j) {
                bytes[j] = static_cast<char>(random() & 0xFF);
            }
        }
        Put("binary.TXT", bytes);
        Put("LastSession.TXT", bytes);
        services.messages.clear();
        DesignValues = DesignRecord{};
        ReadDesignFile("binary.TXT");
        if (!services.messages.empty()) {
            EXPECT_EQ(services.messages, Texts{NotFound("binary.TXT")}) << seed;
            EXPECT_EQ(Stored(DesignValues), builtIn) << seed;
        }
        ReadLastSession();
        for (float v : Stored(DesignValues)) {
            EXPECT_TRUE(std::isfinite(v)) << seed;
        }
    }
}

TEST_F(FileTest, NoRegularFileInPlaceOfADesignFile) {
    // A folder found only by the case-blind search, a named pipe that nobody writes to (the
    // reader must not wait for one), an endless device and a file deleted after it was chosen.
    std::filesystem::create_directory("DESIGN.TXT");
    ASSERT_EQ(mkfifo("pipe.TXT", 0600), 0);
    Put("gone.TXT", LinesAfterTheFirst("4"));
    std::filesystem::remove("gone.TXT");
    for (std::string name : {"design.txt", "pipe.TXT", "/dev/zero", "gone.TXT"}) {
        services.messages.clear();
        DesignValues = sample;
        ReadDesignFile(name);
        EXPECT_EQ(services.messages, Texts{NotFound(name)});
        EXPECT_EQ(Stored(DesignValues), builtIn) << name;
    }

    // In place of the last-session file nothing is said and nothing changes.
    std::filesystem::create_directory("LastSession.TXT");
    services.messages.clear();
    DesignValues = sample;
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileTest, ExponentsBeyondEveryIntegerType) {
    // Too large a number makes the file unreadable; too small a number is zero.
    Put("large.TXT", "x" + LinesAfterTheFirst("12E9223372036854775807"));
    Put("small.TXT", "x" + LinesAfterTheFirst("0.01E-9223372036854775807"));
    Put("longer.TXT", "x" + LinesAfterTheFirst("1E-99999999999999999999999999"));
    DesignValues = DesignRecord{};
    ReadDesignFile("large.TXT");
    EXPECT_EQ(services.messages, Texts{NotFound("large.TXT")});
    EXPECT_EQ(Stored(DesignValues), builtIn);
    for (const char* name : {"small.TXT", "longer.TXT"}) {
        ReadDesignFile(name);
        EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 11, 12})) << name;
    }
    EXPECT_EQ(services.messages.size(), 1u);
}
