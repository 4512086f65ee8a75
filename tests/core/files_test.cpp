// Design, defaults and last-session files: the line format, the positional reader, the
// built-in values and write failures that must leave the earlier file alone.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>

#include "file_test_support.h"
#include "files/DesignFiles.h"

using namespace calbrine;
using namespace calbrine_test;
namespace fs = std::filesystem;

namespace {

const DesignRecord sample{4.7e-12f, 0.022e-6f, 33e-12f,  1.234567e-10f, 10e-12f, 240e-12f,
                          1e-14f,   180e-12f,  470e-12f, 2.2e-9f,       7.7e-6f, 10.7e6f};
const std::string sampleLines =
    "\r\n24.12.2025 18:30:05\r\n\r\nCfineMin: 4.7E-12\r\nCfineMax: 2.2E-08\r\nC39: 3.3E-11\r\n"
    "C37: 1.234567E-10\r\nCcoarseMin: 1E-11\r\nCcoarseMax: 2.4E-10\r\nC90: 1E-14\r\n"
    "C15: 1.8E-10\r\nC34: 4.7E-10\r\nC35: 2.2E-09\r\nL7: 7.7E-06\r\nIF: 1.07E+07\r\n"
    "Spare 2: 2\r\nSpare 3: 3\r\nSpare 4: 4\r\nSpare 5: 5\r\n";

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

    EXPECT_EQ(FileText("design.TXT"), "design.TXT" + sampleLines);
    EXPECT_EQ(FileText("LastSession.TXT"), "Calbrine last-session file" + sampleLines);
    EXPECT_EQ(FileText("Entwurf \xC3\xA4\r\n.TXT").rfind("Entwurf \xC3\xA4  .TXT\r\n24.", 0), 0u);
    EXPECT_NE(FileText("nan.TXT").find("\r\nC90: 0\r\nC15: "), std::string::npos);

    DesignValues = DesignRecord{};
    ReadDesignFile("design.TXT");
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileTest, ReaderGoesByPositionWhateverTheLineEnds) {
    Put("hand.txt",
        "* hand-made\r\n\r\nanything\r\n*\r\ndate: x\r\nIF: 2E-10\r\n\r\n* comment\r\n   \r\n"
        "5E-12\r\nC37:\r\nC: 200p\r\nC: 1,5\r\nC:\t - 1 2 . 5 e-1x\r\nC: +.5\r\nC: abc 7\r\n"
        "C: 1E-50\r\nL7: 7.7E-06 H\r\nIF: 1.1E+07: 3\r\n");
    ReadDesignFile("hand.txt");
    EXPECT_EQ(Stored(DesignValues),
              (Values{2e-10f, 0, 5e-12f, 0, 200, 1, -1.25f, 0.5f, 0, 0, 7.7e-6f, 11e6f}));

    // Each line end, and all of them mixed in lines without a colon.
    for (const std::string& text :
         {CountingFile("\r\n"), CountingFile("\r"), CountingFile("\n"),
          std::string("a\nb\r\r\n1\n\r2\r3\n4\r\n5\n6\r7\n8\n9\r10\r\n11\r12")}) {
        Put("ends.txt", text);
        DesignValues = DesignRecord{};
        ReadDesignFile("ends.txt");
        EXPECT_EQ(Stored(DesignValues), counting) << text;
    }

    // A starred first line is a comment: every field takes the value of the key after it.
    Put("starred.txt", "*" + CountingFile("\r\n"));
    ReadDesignFile("starred.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}));

    // An early end keeps the fields not reached.
    Put("short.txt", "x\r\ny\r\n\r\nCfineMin: 7\r\nCfineMax: 7");
    ReadDesignFile("short.txt");
    EXPECT_EQ(Stored(DesignValues), (Values{7, 7, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileTest, FileNames) {
    // The last-session reader is silent, stops at an unreadable value and keeps what it read.
    DesignValues = sample;
    ReadLastSession();  // none yet
    Put("LastSession.TXT", CountingFile("\r\n", "C37", "1E39"));
    ReadLastSession();
    Values expected = Stored(sample);
    expected[0] = 1, expected[1] = 2, expected[2] = 3;
    EXPECT_EQ(Stored(DesignValues), expected);

    // Its name is found whatever the case, but the exact name wins.
    DesignValues = sample;
    WriteLastSession();
    fs::rename("LastSession.TXT", "LASTSESSION.TXT");
    DesignValues = DesignRecord{};
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), Stored(sample));
    Put("LastSession.TXT", CountingFile("\n"));
    ReadLastSession();
    EXPECT_EQ(Stored(DesignValues), counting);

    // Of two names that differ only in case, the first in byte order is read.
    Put("defaults.txt", CountingFile("\r\n", "IF", "99"));
    Put("DEFAULTS.txt", CountingFile("\r\n", "IF", "98"));
    ReadDesignFile("Defaults.TXT");
    EXPECT_EQ(DesignValues.IF, 98);

    // Names of fewer than five characters do nothing at all; five are enough.
    Put("a.tx", "kept");
    for (const char* name : {"", "a.tx", "\xC3\xA4.tx"}) {
        ReadDesignFile(name);
        WriteDesignFile(name);
    }
    WriteDesignFile("\xC3\xA4.txt");
    EXPECT_EQ(DesignValues.IF, 98);
    EXPECT_EQ(FileText("a.tx"), "kept");
    EXPECT_EQ(Entries(),
              (std::set<std::string>{"DEFAULTS.txt", "LASTSESSION.TXT", "LastSession.TXT", "a.tx",
                                     "defaults.txt", "\xC3\xA4.txt"}));
    EXPECT_TRUE(messages.empty());
    ReadDesignFile("./Defaults.TXT");  // a name with a folder is taken as it stands
    EXPECT_EQ(messages, Texts{NotFound("./Defaults.TXT")});
}

TEST_F(FileTest, DefaultsFromTheWorkingFolderElseTheFirstShippedCopy) {
    fs::create_directories("shipped");
    fs::create_directories("folder/Defaults.TXT");  // not a file the reader can open
    const Texts copies{"missing/Defaults.TXT", "folder/Defaults.TXT", "shipped/Defaults.TXT"};
    EXPECT_EQ(DefaultsFile(copies), "Defaults.TXT");  // none: the reader reports it missing
    Put("shipped/Defaults.TXT", CountingFile("\r\n"));
    EXPECT_EQ(DefaultsFile(copies), "shipped/Defaults.TXT");
    Put("defaults.txt", CountingFile("\r\n"));  // the working folder's, in any case, wins
    EXPECT_EQ(DefaultsFile(copies), "Defaults.TXT");
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
    const rlimit small{64, saved.rlim_max};  // longer writes fail with EFBIG
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    WriteDesignFile("kept.TXT");
    WriteLastSession();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(FileText("kept.TXT"), "kept.TXT" + sampleLines);
    EXPECT_EQ(FileText("LastSession.TXT"), "Calbrine last-session file" + sampleLines);
    const std::string design = "Calbrine: The file was not written correctly.";
    EXPECT_EQ(messages, (Texts{design, design, design,
                               "Calbrine: The last-session file was not written correctly."}));
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(Entries(), (std::set<std::string>{"LastSession.TXT", "kept.TXT", "taken.TXT"}));
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
    EXPECT_EQ(FileText("real/target.TXT").rfind("link.TXT\r\n", 0), 0u);
    EXPECT_EQ(fs::status("real/target.TXT").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status("fresh.TXT").permissions(), fs::perms(0644));
}
