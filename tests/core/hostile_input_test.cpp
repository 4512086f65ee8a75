// Files no one would write on purpose (random bytes are the fuzzer's): a 100 MB line, folders,
// pipes, devices and vanished files in a design file's place, and numbers with absurd exponents.
#include <sys/resource.h>
#include <sys/stat.h>

#include "file_test_support.h"
#include "files/DesignFiles.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

const DesignRecord sample{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

TEST_F(FileTest, LongLinesAreReadInBoundedMemory) {
    // A first line of megabytes of NUL bytes, and a value line that is one long number.
    Put("nul.txt", std::string(6 << 20, '\0') +
                       CountingFile("\r\n", "C39", "1.5" + std::string(1 << 20, '0')));
    {
        std::ofstream out("line.TXT", std::ios::binary);
        const std::string chunk(1 << 20, '7');
        for (int i = 0; i < 100; ++i) {
            out << chunk;
        }
    }
    const long peakBefore = PeakKilobytes();
    // One line of 100 MB and no more: the file ends before the values, which stay as they were.
    DesignValues = sample;
    ReadDesignFile("line.TXT");
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    // After the long line the values are read by position as ever.
    std::ofstream("line.TXT", std::ios::binary | std::ios::app)
        << CountingFile("\r\n", "C37", "4.5", "");
    DesignValues = DesignRecord{};
    ReadDesignFile("line.TXT");
    EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 3, 4.5f, 5, 6, 7, 8, 9, 10, 11, 12}));
    DesignValues = DesignRecord{};
    ReadDesignFile("nul.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 1.5f, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(messages.empty());
    EXPECT_LT(PeakKilobytes() - peakBefore, 64 * 1024);
}

TEST_F(FileTest, UnreadableFilesBringTheBuiltInValues) {
    // A missing file, a folder by its exact name and one found only by the case-blind search,
    // a named pipe that nobody writes to (the reader must not wait for one), an endless device,
    // a file deleted after it was chosen, and numbers too large for a double or a single or
    // with an exponent beyond every integer type.
    std::filesystem::create_directory("folder.TXT");
    std::filesystem::create_directory("DESIGN.TXT");
    ASSERT_EQ(mkfifo("pipe.TXT", 0600), 0);
    Put("gone.TXT", CountingFile("\r\n"));
    std::filesystem::remove("gone.TXT");
    Put("huge.txt", CountingFile("\r\n", "C37", "1E999"));
    Put("single.txt", CountingFile("\r\n", "L7", "-4E38"));
    Put("large.TXT", CountingFile("\r\n", "C37", "12E9223372036854775807"));
    for (std::string name :
         {"missing.TXT", "sub/Defaults.TXT", "folder.TXT", "design.txt", "pipe.TXT", "/dev/zero",
          "gone.TXT", "huge.txt", "single.txt", "large.TXT"}) {
        messages.clear();
        DesignValues = sample;
        ReadDesignFile(name);
        EXPECT_EQ(messages, Texts{NotFound(name)});
        EXPECT_EQ(Stored(DesignValues), builtIn) << name;
    }
    // Too small a number is zero whatever its exponent.
    messages.clear();
    for (const char* tiny : {"0.01E-9223372036854775807", "1E-99999999999999999999999999"}) {
        Put("tiny.TXT", CountingFile("\r\n", "C37", tiny));
        ReadDesignFile("tiny.TXT");
        EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 11, 12})) << tiny;
    }
    // In place of the last-session file nothing is said and nothing changes.
    std::filesystem::create_directory("LastSession.TXT");
    DesignValues = sample;
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    EXPECT_TRUE(messages.empty());
}
