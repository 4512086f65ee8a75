// Design, defaults and last-session files: the line format, the positional reader, the
// built-in values and write failures that must leave the earlier file alone.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>

#include "design/DesignValues.h"
#include "file_test_support.h"
#include "files/modReadWrite.h"

using namespace calbrine;
using calbrine_test::FileTest;
using Values = std::vector<float>;
using Texts = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const DesignRecord sample{4.7e-12f, 0.022e-6f, 33e-12f,  1.234567e-10f, 10e-12f, 240e-12f,
                          1e-14f,   180e-12f,  470e-12f, 2.2e-9f,       7.7e-6f, 10.7e6f};
const char* const sampleLines =
    "\r\n24.12.2025 18:30:05\r\n\r\nCfineMin: 4.7E-12\r\nCfineMax: 2.2E-08\r\nC39: 3.3E-11\r\n"
    "C37: 1.234567E-10\r\nCcoarseMin: 1E-11\r\nCcoarseMax: 2.4E-10\r\nC90: 1E-14\r\n"
    "C15: 1.8E-10\r\nC34: 4.7E-10\r\nC35: 2.2E-09\r\nL7: 7.7E-06\r\nIF: 1.07E+07\r\n"
    "Spare 2: 2\r\nSpare 3: 3\r\nSpare 4: 4\r\nSpare 5: 5\r\n";

Values Stored(const DesignRecord& d) {
    return {d.CfineMin, d.CfineMax, d.C39, d.C37, d.CcoarseMin, d.CcoarseMax,
            d.C90,      d.C15,      d.C34, d.C35, d.L7,         d.IF};
}

const Values counting{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// A well-formed file holding the values 1 .. 12, optionally with one value replaced.
std::string CountingFile(const std::string& end, const std::string& key = "",
                         const std::string& value = "") {
    std::string text = "name" + end + "date" + end + end;
    const char* keys[] = {"CfineMin", "CfineMax", "C39", "C37", "CcoarseMin", "CcoarseMax",
                          "C90",      "C15",      "C34", "C35", "L7",         "IF"};
    for (int i = 0; i < 12; ++i) {
        text += keys[i] + (": " + (keys[i] == key ? value : std::to_string(i + 1))) + end;
    }
    return text + "Spare 2: 2" + end + "Spare 3: 3" + end + "Spare 4: 4" + end + "Spare 5: 5" + end;
}

}  // namespace

TEST_F(FileTest, RoundTripAndLayoutUnderGermanLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    DesignValues = sample;
    WriteLastSession();
    WriteDesignFile("design.TXT");
    WriteDesignFile("Entwurf \xC3\xA4\r\n.TXT");
    DesignValues.C90 = NAN;
    WriteDesignFile("nan.TXT");
    std::setlocale(LC_ALL, "C");

    EXPECT_EQ(Contents("design.TXT"), "design.TXT" + std::string(sampleLines));
    EXPECT_EQ(Contents("LastSession.TXT"), "Calbrine last-session file" + std::string(sampleLines));
    EXPECT_EQ(CrLfLines(Contents("Entwurf \xC3\xA4\r\n.TXT"))[0], "Entwurf \xC3\xA4  .TXT");
    EXPECT_EQ(CrLfLines(Contents("nan.TXT"))[9], "C90: 0");

    DesignValues = DesignRecord{};
    ReadDesignFile("design.TXT");
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileTest, ReaderGoesByPositionWhateverTheLineEnds) {
    Put("hand.txt",
        "* hand-made\r\n\r\nanything\r\n*\r\ndate: x\r\nIF: 2E-10\r\n\r\n* comment\r\n   \r\n"
        "5E-12\r\nC37:\r\nC: 200p\r\nC: 1,5\r\nC:\t - 1 2 . 5 e-1x\r\nC: +.5\r\nC: abc 7\r\n"
        "C: 1E-50\r\nL7: 7.7E-06 H\r\nIF: 1.1E+07: 3\r\n");
    ReadDesignFile("hand.txt");
    EXPECT_EQ(Stored(DesignValues),
              (Values{2e-10f, 0, 5e-12f, 0, 200, 1, -1.25f, 0.5f, 0, 0, 7.7e-6f, 11e6f}));

    for (const char* end : {"\r\n", "\r", "\n"}) {
        Put("ends.txt", CountingFile(end));
        DesignValues = DesignRecord{};
        ReadDesignFile("ends.txt");
        EXPECT_EQ(Stored(DesignValues), counting) << int(end[0]);
    }
    Put("mixed.txt", "a\nb\r\r\n1\n\r2\r3\n4\r\n5\n6\r7\n8\n9\r10\r\n11\r12");
    ReadDesignFile("mixed.txt");
    EXPECT_EQ(Stored(DesignValues), counting);

    // A starred first line is a comment: every field takes the value of the key after it.
    Put("starred.txt", "*" + CountingFile("\r\n"));
    ReadDesignFile("starred.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}));

    // An early end keeps the fields not reached.
    Put("short.txt", "x\r\ny\r\n\r\nCfineMin: 7\r\nCfineMax: 7");
    ReadDesignFile("short.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{7, 7, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileTest, UnreadableFiles) {
    fs::create_directory("folder.TXT");
    Put("huge.txt", CountingFile("\r\n", "C37", "1E999"));
    Put("single.txt", CountingFile("\r\n", "L7", "-4E38"));
    const Values builtIn{200e-12f, 20e-12f,  33e-12f,  220e-12f, 10e-12f, 240e-12f,
                         33e-12f,  180e-12f, 470e-12f, 470e-12f, 7.7e-6f, 11e6f};
    for (std::string name :
         {"missing.TXT", "sub/Defaults.TXT", "folder.TXT", "huge.txt", "single.txt"}) {
        services.messages.clear();
        DesignValues = DesignRecord{};
        ReadDesignFile(name);
        EXPECT_EQ(services.messages, Texts{"Calbrine: The file '" + name + "' was not found."});
        EXPECT_EQ(Stored(DesignValues), builtIn) << name;
    }
    services.messages.clear();

    // The last-session reader stops silently and keeps what it had read.
    DesignValues = sample;
    ReadLastSession();  // none yet
    Put("LastSession.TXT", CountingFile("\r\n", "C37", "1E39"));
    ReadLastSession();
    Values expected = Stored(sample);
    expected[0] = 1, expected[1] = 2, expected[2] = 3;
    EXPECT_EQ(Stored(DesignValues), expected);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(FileTest, FileNames) {
    DesignValues = sample;
    WriteLastSession();
    fs::rename("LastSession.TXT", "LASTSESSION.TXT");
    DesignValues = DesignRecord{};
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    Put("LastSession.TXT", CountingFile("\n"));  // the exact name wins
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), counting);

    Put("defaults.txt", CountingFile("\r\n", "IF", "99"));
    ReadDesignFile("Defaults.TXT");
    EXPECT_EQ(DesignValues.IF, 99);

    // Names of fewer than five characters do nothing at all.
    Put("a.tx", CountingFile("\r\n"));
    for (const char* name : {"", "a.tx", "\xC3\xA4.tx"}) {
        ReadDesignFile(name);
        WriteDesignFile(name);
    }
    EXPECT_EQ(DesignValues.IF, 99);
    EXPECT_TRUE(services.messages.empty());
    ReadDesignFile("./Defaults.TXT");  // a name with a folder is taken as it stands
    EXPECT_EQ(services.messages.size(), 1u);
}

TEST_F(FileTest, FailedWritesLeaveTheEarlierFileAlone) {
    DesignValues = sample;
    WriteDesignFile("kept.TXT");
    WriteLastSession();
    DesignValues.IF = 1;

    WriteDesignFile("nofolder/new.TXT");
    fs::create_directory("taken.TXT");
    WriteDesignFile("taken.TXT");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;  // longer writes fail with EFBIG
    setrlimit(RLIMIT_FSIZE, &small);
    WriteDesignFile("kept.TXT");
    WriteLastSession();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(Contents("kept.TXT"), "kept.TXT" + std::string(sampleLines));
    EXPECT_EQ(Contents("LastSession.TXT"), "Calbrine last-session file" + std::string(sampleLines));
    const std::string design = "Calbrine: The file was not written correctly.";
    EXPECT_EQ(services.messages,
              (Texts{design, design, design,
                     "Calbrine: The last-session file was not written correctly."}));
    EXPECT_EQ(services.beeps, 4);
    EXPECT_EQ(Entries(), (Texts{"LastSession.TXT", "kept.TXT", "taken.TXT"}));
}

TEST_F(FileTest, ReplacedFileKeepsItsModeAndItsLink) {
    fs::create_directory("real");
    Put("real/target.TXT", "old");
    chmod("real/target.TXT", 0640);
    fs::create_symlink("real/target.TXT", "link.TXT");
    const mode_t mask = umask(022);
    WriteDesignFile("link.TXT");
    WriteDesignFile("fresh.TXT");
    umask(mask);
    EXPECT_TRUE(fs::is_symlink("link.TXT"));
    EXPECT_EQ(CrLfLines(Contents("real/target.TXT")).at(0), "link.TXT");
    EXPECT_EQ(fs::status("real/target.TXT").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status("fresh.TXT").permissions(), fs::perms(0644));
}

TEST_F(FileTest, HostileFilesAreReadInBoundedMemory) {
    // A first line of megabytes of NUL bytes, and a value line that is one long number.
    Put("long.txt", std::string(6 << 20, '\0') +
                        CountingFile("\r\n", "C39", "1.5" + std::string(1 << 20, '0')));
    ReadDesignFile("long.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{1, 2, 1.5f, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(services.messages.empty());
}
