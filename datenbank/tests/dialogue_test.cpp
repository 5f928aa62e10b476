// End-to-end dialogues of datenbank with redirected input and output: the keys
// typed and the bytes shown, side by side. Redirected output carries no colours
// and the frame characters as single code page 437 bytes. A typed value's line
// end is the next key press, so at a menu it redraws the menu once more.
#include "screens.h"
#include "transcript.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace screens;

namespace {

// ---- Running a dialogue ------------------------------------------------------------

struct Step {
    std::string keys;  // what is typed
    std::string shows; // what appears after it
};

// Runs the program with all keys and checks the whole output; the first step
// usually types nothing and shows the administrator menu. Shown text is written
// with "\n" and gets the line ends of the platform under test; the keys and the
// database file are the same bytes everywhere.
transcript::Result dialogue(const std::vector<Step>& steps,
                            const transcript::Options& options = {}) {
    std::string keys, expected;
    for (const auto& step : steps) {
        keys += step.keys;
        expected += transcript::lines(step.shows);
    }
    auto result = transcript::run(transcript::program("datenbank"), keys, options);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    if (result.out != expected) {
        std::size_t at = 0;
        while (at < result.out.size() && at < expected.size() && result.out[at] == expected[at])
            ++at;
        ADD_FAILURE() << "output differs at byte " << at << "\n  expected: "
                      << testing::PrintToString(expected.substr(at > 40 ? at - 40 : 0, 120))
                      << "\n  actual:   "
                      << testing::PrintToString(result.out.substr(at > 40 ? at - 40 : 0, 120));
    }
    return result;
}

transcript::Options withFile(const std::string& bytes) {
    transcript::Options options;
    options.files["fh-datenbank.txt"] = bytes;
    return options;
}

const std::string kThree = record("1") + record("2") + record("3");

// ---- Menus -------------------------------------------------------------------------

TEST(DatenbankMenuTranscript, QuittingDrawsTheLogoBoxAndSavesNothing) {
    const auto r =
        dialogue({{"", kAdmin}, {"n", kNewRecord}, {"1 A B c d\n", kAdmin + kAdmin}, {"0", kLogo}});
    EXPECT_TRUE(r.files.empty());
}

TEST(DatenbankMenuTranscript, AdministratorFoldsUpperCaseAndIgnoresOtherKeys) {
    const auto r = dialogue({{"", kAdmin},
                             {"S", kSaved + kAdmin},
                             {"P", listing({})},
                             {"x", kAdmin},
                             {"O", kAdmin}, // the letter, not the digit
                             {"\x1b[A", kAdmin + kAdmin + kAdmin},
                             {"B", kUser},
                             {"0", kAdmin}});
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "");
}

TEST(DatenbankMenuTranscript, UserLevelAndActionMenuTakeOnlyLowerCase) {
    dialogue(
        {{"", kAdmin},
         {"l", kLoaded + kAdmin},
         {"b", kUser},
         {"NLPB", kUser + kUser + kUser + kUser},
         {"p", listing({"\xBA        1 \xBA       Vor1 \xBA           Nach1 \xBA              m1 "
                        "\xBA              t1 \xBA\n"})},
         {" ", kUser},
         {"l", kLoginPrompt},
         {"1", welcome("Vor1", "Nach1") + kAction},
         {"\nNBP", kAction + kAction + kAction + kAction},
         {"0", kLoggedOut + kUser},
         {"0", kAdmin}},
        withFile(record("1")));
}

// ---- New records -----------------------------------------------------------------------

TEST(DatenbankNewRecordTranscript, ThreeRefusalsWarnBeforeTheThirdAndReturnSilently) {
    const std::string taken = "1 X Y z w\n";
    const auto r = dialogue({{"", kAdmin},
                             {"l", kLoaded + kAdmin},
                             {"n", kNewRecord},
                             {taken, kTaken + kNewRecord},
                             {taken, kTaken + kLastTry + kNewRecord},
                             {taken, kTaken + kAdmin + kAdmin},
                             {"s", kSaved + kAdmin}},
                            withFile(record("1")));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("1"));
}

TEST(DatenbankNewRecordTranscript, SuccessAtTheFirstOrSecondAttemptReturnsAtOnce) {
    dialogue({{"", kAdmin}, {"n", kNewRecord}, {"1 A B c d\n", kAdmin + kAdmin}});
    dialogue({{"", kAdmin},
              {"n", kNewRecord},
              {"1 A B c d\n", kAdmin + kAdmin},
              {"n", kNewRecord},
              {"1 A B c d\n", kTaken + kNewRecord},
              {"2 A B c d\n", kAdmin + kAdmin}});
}

TEST(DatenbankNewRecordTranscript, ANumberDifferingOnlyInCaseIsAnotherStudent) {
    const auto r = dialogue({{"", kAdmin},
                             {"n", kNewRecord},
                             {"ab A B c d\n", kAdmin + kAdmin},
                             {"n", kNewRecord},
                             {"AB A B c d\n", kAdmin + kAdmin},
                             {"s", kSaved + kAdmin}});
    EXPECT_EQ(r.files.at("fh-datenbank.txt"),
              line("AB B A c d 0 -1 -1 -1 -1") + line("ab B A c d 0 -1 -1 -1 -1"));
}

TEST(DatenbankNewRecordTranscript, AWordLongerThanItsFieldIsRefusedNotCut) {
    const std::string number20(20, '9');
    const std::string name25(25, 'a');
    const std::string email30(30, 'e');
    const std::string phone28(28, '5');
    const auto r =
        dialogue({{"", kAdmin},
                  {"n", kNewRecord},
                  {number20 + " A B c d\n", kTooLong + kNewRecord},
                  {"1 " + name25 + " B c d\n", kTooLong + kLastTry + kNewRecord},
                  {"1 A B c " + phone28 + "\n", kTooLong + kAdmin + kAdmin},
                  {"n", kNewRecord},
                  {"1 A B " + email30 + " d\n", kTooLong + kNewRecord},
                  // the widest words that fit
                  {std::string(19, '9') + " " + std::string(24, 'a') + " " + std::string(24, 'b') +
                       " " + std::string(29, 'e') + " " + std::string(27, '5') + "\n",
                   kAdmin + kAdmin},
                  {"s", kSaved + kAdmin}});
    EXPECT_EQ(r.files.at("fh-datenbank.txt"),
              line(std::string(19, '9') + " " + std::string(24, 'b') + " " + std::string(24, 'a') +
                   " " + std::string(29, 'e') + " " + std::string(27, '5') + " 0 -1 -1 -1 -1"));
}

// ---- Deleting ------------------------------------------------------------------------

TEST(DatenbankDeleteTranscript, FromAnEmptyListForAnyNumber) {
    dialogue({{"", kAdmin}, {"d", kDeletePrompt}, {"5\n", kEmpty + kAdmin + kAdmin}});
    dialogue({{"", kAdmin},
              {"d", kDeletePrompt},
              {std::string(30, '5') + "\n", kEmpty + kAdmin + kAdmin}});
}

TEST(DatenbankDeleteTranscript, HeadMiddleLastAndAbsent) {
    // The file holds 1, 2, 3; the list holds 3, 2, 1 and saves in that order.
    struct Case {
        std::string number, shows, saved;
    };
    const Case cases[] = {
        {"3", deleted("3"), record("2") + record("1")}, // head
        {"2", deleted("2"), record("3") + record("1")}, // middle
        {"1", deleted("1"), record("3") + record("2")}, // last
        {"4", kNotFound, record("3") + record("2") + record("1")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const auto r = dialogue({{"", kAdmin},
                                 {"l", kLoaded + kAdmin},
                                 {"d", kDeletePrompt},
                                 {c.number + "\n", c.shows + kAdmin + kAdmin},
                                 {"s", kSaved + kAdmin}},
                                withFile(kThree));
        EXPECT_EQ(r.files.at("fh-datenbank.txt"), c.saved);
    }
}

TEST(DatenbankDeleteTranscript, TheOnlyRecordLeavesAnEmptyList) {
    dialogue({{"", kAdmin},
              {"n", kNewRecord},
              {"7 A B c d\n", kAdmin + kAdmin},
              {"d", kDeletePrompt},
              {"7\n", deleted("7") + kAdmin + kAdmin},
              {"p", listing({})},
              {"x", kAdmin},
              {"d", kDeletePrompt},
              {"7\n", kEmpty + kAdmin + kAdmin}});
}

TEST(DatenbankDeleteTranscript, ANumberLongerThan19CharactersMatchesNothing) {
    const std::string stored(19, '1');
    const auto r = dialogue({{"", kAdmin},
                             {"n", kNewRecord},
                             {stored + " A B c d\n", kAdmin + kAdmin},
                             {"d", kDeletePrompt},
                             {stored + "2\n", kNotFound + kAdmin + kAdmin},
                             {"s", kSaved + kAdmin}});
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), line(stored + " B A c d 0 -1 -1 -1 -1"));
}

TEST(DatenbankDeleteTranscript, OneOfADuplicatePairAfterLoadingTwice) {
    const auto r = dialogue({{"", kAdmin},
                             {"ll", kLoaded + kAdmin + kLoaded + kAdmin},
                             {"d", kDeletePrompt},
                             {"2\n", deleted("2") + kAdmin + kAdmin},
                             {"s", kSaved + kAdmin}},
                            withFile(record("1") + record("2")));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("1") + record("2") + record("1"));
}

// ---- The database file -------------------------------------------------------------------

TEST(DatenbankFileTranscript, ANewRecordIsSavedSurnameFirstWithCrLf) {
    const auto r = dialogue({{"", kAdmin},
                             {"n", kNewRecord},
                             {"123 Anna Meier anna.meier 555\n", kAdmin + kAdmin},
                             {"s", kSaved + kAdmin}});
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "123 Meier Anna anna.meier 555 0 -1 -1 -1 -1 \r\n");
    EXPECT_EQ(r.files.size(), 1u); // no temporary file left behind
}

TEST(DatenbankFileTranscript, EverySaveAndLoadReversesTheOrder) {
    const std::vector<Step> enter = {{"", kAdmin},
                                     {"n", kNewRecord},
                                     {"1 Vor1 Nach1 m1 t1\n", kAdmin + kAdmin},
                                     {"n", kNewRecord},
                                     {"2 Vor2 Nach2 m2 t2\n", kAdmin + kAdmin},
                                     {"n", kNewRecord},
                                     {"3 Vor3 Nach3 m3 t3\n", kAdmin + kAdmin},
                                     {"s", kSaved + kAdmin}};
    const auto first = dialogue(enter);
    EXPECT_EQ(first.files.at("fh-datenbank.txt"), record("3") + record("2") + record("1"));

    const std::vector<Step> loadAndSave = {
        {"", kAdmin}, {"l", kLoaded + kAdmin}, {"s", kSaved + kAdmin}};
    const auto second = dialogue(loadAndSave, withFile(first.files.at("fh-datenbank.txt")));
    EXPECT_EQ(second.files.at("fh-datenbank.txt"), kThree);
    const auto third = dialogue(loadAndSave, withFile(second.files.at("fh-datenbank.txt")));
    EXPECT_EQ(third.files.at("fh-datenbank.txt"), first.files.at("fh-datenbank.txt"));
}

TEST(DatenbankFileTranscript, LoadingAddsInFrontOfWhatTheListHolds) {
    const auto r = dialogue({{"", kAdmin},
                             {"n", kNewRecord},
                             {"9 Vor9 Nach9 m9 t9\n", kAdmin + kAdmin},
                             {"l", kLoaded + kAdmin},
                             {"s", kSaved + kAdmin}},
                            withFile(record("1") + record("2")));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("2") + record("1") + record("9"));
}

TEST(DatenbankFileTranscript, AnyWhiteSpaceSeparatesWordsAndTheLastLineEndMayBeMissing) {
    const std::string lf = "1 Nach1 Vor1 m1 t1 0 -1 -1 -1 -1\n2 Nach2 Vor2 m2 t2 0 -1 -1 -1 -1";
    const std::string spaced =
        "  1\tNach1 Vor1\r\nm1 t1 0 -1 -1 -1 -1\n\n2 Nach2 Vor2 m2 t2 0 -1 -1 -1 -1 \r\n\r\n";
    for (const auto& file : {lf, spaced}) {
        const auto r = dialogue({{"", kAdmin}, {"l", kLoaded + kAdmin}, {"s", kSaved + kAdmin}},
                                withFile(file));
        EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("2") + record("1"));
    }
}

// A folder with something in it where the database file belongs: it opens, but no
// byte can be read from it, and it cannot be replaced.
transcript::Options aFolderInTheFilesPlace() {
    transcript::Options options;
    options.prepare = [](const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder / "fh-datenbank.txt" / "inside");
    };
    return options;
}

TEST(DatenbankFileTranscript, MissingAndEmptyFiles) {
    // The listing's wait for a key just ends at end of input; the menu read then ends the program.
    dialogue({{"", kAdmin}, {"l", kLoadFailed + kAdmin}, {"p", listing({}) + kAdmin}});
    const auto r =
        dialogue({{"", kAdmin}, {"l", kLoaded + kAdmin}, {"s", kSaved + kAdmin}}, withFile(""));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "");
}

TEST(DatenbankFileTranscript, AFileThatCannotBeReadIsReportedAndLoadsNothing) {
    const auto r =
        dialogue({{"", kAdmin}, {"l", kLoadFailed + kAdmin}, {"p", listing({}) + kAdmin}},
                 aFolderInTheFilesPlace());
    EXPECT_TRUE(r.files.empty());
}

TEST(DatenbankFileTranscript, AMalformedRecordStopsTheLoadKeepingTheRecordsBefore) {
    // Too few words: words run on across line ends, so only the last record can be short.
    const auto r =
        dialogue({{"", kAdmin}, {"l", kLoadFailed + kAdmin}, {"s", kSaved + kAdmin}},
                 withFile(record("1") + record("2") + "4 Nach4 Vor4 m4 t4 0 -1 -1 -1\r\n"));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("2") + record("1"));

    const std::string cases[] = {
        "4 Nach4 Vor4 m4 t4 0 -1 -1 x -1\n",           // a word where a number belongs
        "4 Nach4 Vor4 m4 t4 0 -1 -1 99999999999 -1\n", // a number out of range
        "4 " + std::string(25, 'N') + " Vor4 m4 t4 0 -1 -1 -1 -1\n", // surname too long
        std::string(20, '4') + " Nach4 Vor4 m4 t4 0 -1 -1 -1 -1\n",  // number too long
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad);
        const auto r = dialogue({{"", kAdmin}, {"l", kLoadFailed + kAdmin}, {"s", kSaved + kAdmin}},
                                withFile(record("1") + record("2") + bad + record("3")));
        EXPECT_EQ(r.files.at("fh-datenbank.txt"), record("2") + record("1"));
    }
}

TEST(DatenbankFileTranscript, ATemporaryNameAnOlderSaveLeftIsInNoSavesWay) {
    // Each save makes a temporary file of its own.
    auto stale = withFile(kThree);
    stale.prepare = [](const std::filesystem::path& folder) {
        std::filesystem::create_directory(folder / "fh-datenbank.txt.tmp");
    };
    auto r = dialogue(
        {{"", kAdmin}, {"n", kNewRecord}, {"5 A B c d\n", kAdmin + kAdmin}, {"s", kSaved + kAdmin}},
        stale);
    EXPECT_EQ(r.files, (transcript::Files{{"fh-datenbank.txt", line("5 B A c d 0 -1 -1 -1 -1")}}));
}

// Every way a replace can fail is in common/tests/ersetzen_test.cpp; here, that the
// program says so and never claims success.
TEST(DatenbankFileTranscript, AFailedSaveIsReported) {
    // The file cannot be replaced: it is a folder with something in it.
    const auto r = dialogue({{"", kAdmin}, {"s", kSaveFailed + kAdmin}}, aFolderInTheFilesPlace());
    EXPECT_TRUE(r.files.empty()); // no temporary file is left
}

// ---- Listing ------------------------------------------------------------------------

TEST(DatenbankListingTranscript, ThreeRecordsNewestFirstWithSeparatorsBetweenRowsOnly) {
    dialogue({{"", kAdmin},
              {"n", kNewRecord},
              {"1 Anna Meier a@b.de 0151\n", kAdmin + kAdmin},
              {"n", kNewRecord},
              {"22 Bo Li b@c 0\n", kAdmin + kAdmin},
              {"n", kNewRecord},
              {"12345678 Maximiliane Oberhuber-Schmid m.o@x.de 0049-30-1234\n", kAdmin + kAdmin},
              {"P", listing({"\xBA 12345678 \xBA Maximiliane \xBA Oberhuber-Schmid \xBA        "
                             "m.o@x.de \xBA    0049-30-1234 \xBA\n",
                             "\xBA       22 \xBA         Bo \xBA              Li \xBA             "
                             "b@c \xBA               0 \xBA\n",
                             "\xBA        1 \xBA       Anna \xBA           Meier \xBA          "
                             "a@b.de \xBA            0151 \xBA\n"})},
              {"\r", kAdmin}}); // any key returns, Enter or not
}

TEST(DatenbankListingTranscript, RedirectedOutputPadsByBytes) {
    // "J\xC3\xBCrgen" is six letters in seven bytes, "Wei\xC3\x9F" four in five.
    dialogue({{"", kAdmin},
              {"n", kNewRecord},
              {"7 J\xC3\xBCrgen Wei\xC3\x9F j@x 555\n", kAdmin + kAdmin},
              {"p", listing({"\xBA        7 \xBA    J\xC3\xBCrgen \xBA           Wei\xC3\x9F \xBA"
                             "             j@x \xBA             555 \xBA\n"})},
              {"\r", kAdmin}});
}

// ---- Login and exams ----------------------------------------------------------------------

const std::string kStudent = "123 Meier Anna anna.meier 555 0 -1 -1 -1 -1 \r\n";

// Loads kStudent (or the given file), logs in as 123 and returns the steps so far.
std::vector<Step> loggedIn() {
    return {{"", kAdmin},
            {"l", kLoaded + kAdmin},
            {"b", kUser},
            {"l", kLoginPrompt},
            {"123", welcome("Anna", "Meier") + kAction}};
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Logs out, goes back to the administrator and saves.
const std::vector<Step> kLogOutAndSave = {
    {"0", kLoggedOut + kUser}, {"0", kAdmin}, {"s", kSaved + kAdmin}};

std::string registered(const std::string& name) {
    return "\n\tErfolgreich zu " + name + " angemeldet\n";
}
std::string withdrawn(const std::string& name) {
    return "\n\tErfolgreich von " + name + " abgemeldet\n";
}
const std::string kAlready = "\n\tFuer dieses Fach bist du schon angemeldet!\n\n\n\n";
const std::string kNotRegistered = "\n\tDu warst noch gar nicht angmeldet!\n";
std::string registrations(const std::vector<std::string>& names) {
    std::string out = "\n\n\n\n\tbisher angemeldet bei:\n\n";
    if (names.empty()) out += "\t\t\tkeiner Klausur\n";
    for (const auto& n : names) out += "\t\t\t- " + n + "\n";
    return out + "\n\n\n";
}
const std::string kBack = "\n\n\n" + kAction; // after the exam selection

TEST(DatenbankLoginTranscript, OnlyTheWholeNumberLogsIn) {
    for (const std::string& typed :
         std::vector<std::string>{"12", "1234", "123" + std::string(17, '0'), "x"}) {
        SCOPED_TRACE(typed);
        dialogue({{"", kAdmin},
                  {"l", kLoaded + kAdmin},
                  {"b", kUser},
                  {"l", kLoginPrompt},
                  {typed + "\n", kLoginFailed + kUser + kUser}},
                 withFile(kStudent));
    }
    // A typed word longer than 19 characters whose first 19 are a stored number.
    dialogue({{"", kAdmin},
              {"l", kLoaded + kAdmin},
              {"b", kUser},
              {"l", kLoginPrompt},
              {std::string(19, '7') + "7\n", kLoginFailed + kUser + kUser}},
             withFile(line(std::string(19, '7') + " N V m t 0 -1 -1 -1 -1")));
    dialogue(
        {{"", kAdmin}, {"b", kUser}, {"l", kLoginPrompt}, {"123\n", kLoginFailed + kUser + kUser}});
}

TEST(DatenbankExamsTranscript, RegisterThenListUsesTheListNames) {
    const auto r = dialogue(loggedIn() +
                                std::vector<Step>{
                                    {"\nn", kAction + kExams},
                                    {"2\n", registered("Programmieren 2") + kBack + kAction},
                                    {"p", registrations({"Progammieren 2"}) + kAction},
                                } +
                                kLogOutAndSave,
                            withFile(kStudent));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "123 Meier Anna anna.meier 555 1 -1 1 -1 -1 \r\n");
}

TEST(DatenbankExamsTranscript, ListInSlotOrderNotInOrderOfRegistration) {
    dialogue(
        loggedIn() +
            std::vector<Step>{
                {"\nn", kAction + kExams},
                {"4", registered("Analysis und Lineare Algebra") + kBack},
                {"\nn", kAction + kExams},
                {"1", registered("Programmieren 1") + kBack},
                {"\np", kAction +
                            registrations({"Programmieren 1", "Ananlysis und Lineare Algebra"}) +
                            kAction},
            },
        withFile(kStudent));
}

TEST(DatenbankExamsTranscript, RefusalsChangeNothing) {
    const auto r = dialogue(loggedIn() +
                                std::vector<Step>{
                                    {"\nn", kAction + kExams},
                                    {"3", registered("Grundlagen der Informatik") + kBack},
                                    {"\nn", kAction + kExams},
                                    {"3", kAlready + kBack},
                                    {"\nb", kAction + kExams},
                                    {"1\n", kNotRegistered + kBack + kAction},
                                } +
                                kLogOutAndSave,
                            withFile(kStudent));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "123 Meier Anna anna.meier 555 1 -1 -1 2 -1 \r\n");
}

TEST(DatenbankExamsTranscript, WithdrawingRestoresSlotAndCount) {
    const auto r = dialogue(loggedIn() +
                                std::vector<Step>{
                                    {"\nn", kAction + kExams},
                                    {"2", registered("Programmieren 2") + kBack},
                                    {"\nb", kAction + kExams},
                                    {"2", withdrawn("Programmieren 2") + kBack},
                                    {"\np", kAction + registrations({}) + kAction},
                                } +
                                kLogOutAndSave,
                            withFile(kStudent));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), kStudent);
}

TEST(DatenbankExamsTranscript, NumbersOutsideOneToFourAndWordsTouchNoSlot) {
    std::vector<Step> steps = loggedIn();
    for (const char* typed : {"0", "5", "-1", "abc", "99999999999", "2x"}) {
        steps.push_back({"\nn", kAction + kExams});
        steps.push_back({typed, kBack});
        steps.push_back({"\nb", kAction + kExams});
        steps.push_back({typed, kBack});
    }
    steps.push_back({"\n", kAction});
    const auto r = dialogue(steps + kLogOutAndSave,
                            withFile("123 Meier Anna anna.meier 555 1 0 -1 -1 -1 \r\n"));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "123 Meier Anna anna.meier 555 1 0 -1 -1 -1 \r\n");
}

TEST(DatenbankExamsTranscript, ACountOfZeroListsNoExamWhateverTheSlots) {
    dialogue(loggedIn() + std::vector<Step>{{"\np", kAction + registrations({}) + kAction}},
             withFile("123 Meier Anna anna.meier 555 0 0 1 2 3 \r\n"));
}

// ---- End of input at every prompt: the program ends at once, status 0 ------------------

struct EndOfInputCase {
    const char* name;
    std::string keys;
    std::string shows;
    bool withThree = false; // kThree as the database file
};

void PrintTo(const EndOfInputCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.keys);
}

// A line end or blank after a typed value is a key press at the menu: it redraws once.
const std::string kLoggedInAsOne =
    kAdmin + kLoaded + kAdmin + kUser + kLoginPrompt + welcome("Vor1", "Nach1") + kAction + kAction;

const EndOfInputCase kEndsOfInput[] = {
    {"AtTheAdministratorMenu", "", kAdmin},
    {"AtTheUserMenu", "b", kAdmin + kUser},
    {"AtTheActionMenu", "lbl1\n", kLoggedInAsOne, true},
    {"AtTheNewRecordPromptOfTheAdministrator", "n", kAdmin + kNewRecord},
    {"InTheMiddleOfTheFirstRecordAddsNothing", "n1 Anna Meier", kAdmin + kNewRecord},
    {"InTheMiddleOfANewRecordAddsNothing", "n1 Anna Meier", kAdmin + kNewRecord, true},
    {"AtTheNewRecordPromptOfTheUserLevel", "bn1 A", kAdmin + kUser + kNewRecord},
    {"AtTheLastAttemptOfANewRecord", "ln1 A B c d\n1 A B c d\n1 x",
     kAdmin + kLoaded + kAdmin + kNewRecord + kTaken + kNewRecord + kTaken + kLastTry + kNewRecord,
     true},
    {"AtTheDeletePromptOfAnEmptyList", "d", kAdmin + kDeletePrompt},
    {"AtTheDeletePrompt", "ld", kAdmin + kLoaded + kAdmin + kDeletePrompt, true},
    {"AtTheLoginPrompt", "bl", kAdmin + kUser + kLoginPrompt},
    {"AtTheExamNumberForARegistration", "lbl1 n", kLoggedInAsOne + kExams, true},
    {"AtTheExamNumberForAWithdrawal", "lbl1 b", kLoggedInAsOne + kExams, true},
    // The listing's wait for a key just ends; the menu after it ends the run.
    {"AfterTheAdministratorsListing", "p", kAdmin + kEmptyListing + kAdmin},
    {"AfterTheUserLevelsListing", "bp", kAdmin + kUser + kEmptyListing + kUser},
};

class DatenbankEndOfInputTranscript : public testing::TestWithParam<EndOfInputCase> {};

TEST_P(DatenbankEndOfInputTranscript, EndsTheRunAtOnceAndSavesNothing) {
    const EndOfInputCase& c = GetParam();
    const transcript::Files file = {{"fh-datenbank.txt", kThree}};
    const auto r =
        dialogue({{c.keys, c.shows}}, c.withThree ? withFile(kThree) : transcript::Options{});
    EXPECT_EQ(r.files, c.withThree ? file : transcript::Files{});
}

INSTANTIATE_TEST_SUITE_P(Prompt, DatenbankEndOfInputTranscript, testing::ValuesIn(kEndsOfInput),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The typical run ----------------------------------------------------------------------

TEST(DatenbankTypicalRunTranscript, LoadListLoginRegisterLogOutSaveQuit) {
    const auto r = dialogue(
        {
            {"", kAdmin},
            {"L", kLoaded + kAdmin},
            {"P", listing({"\xBA      123 \xBA       Anna \xBA           Meier \xBA      "
                           "anna.meier \xBA             555 \xBA\n"})},
            {"\r", kAdmin},
            {"B", kUser},
            {"l", kLoginPrompt},
            {"123\n",
             welcome("Anna", "Meier") + kAction + kAction}, // the line end redraws the menu
            {"n", kExams},
            {"2\n", registered("Programmieren 2") + kBack + kAction},
            {"0", kLoggedOut + kUser},
            {"0", kAdmin},
            {"S", kSaved + kAdmin},
            {"0", kLogo},
        },
        withFile(kStudent));
    EXPECT_EQ(r.files.at("fh-datenbank.txt"), "123 Meier Anna anna.meier 555 1 -1 1 -1 -1 \r\n");
}

} // namespace
