// Replacing a kept file: its permission bits and owner, symbolic links, names near
// the limit, users who may not write it, and no temporary file left behind either way.
#include "ersetzen.h"

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using console::dateiErsetzen;

namespace {

class DateiErsetzen : public ::testing::Test {
  protected:
    void SetUp() override {
        ordner_ = fs::temp_directory_path() / ("datei-test-" + std::to_string(getpid()));
        fs::create_directories(ordner_ / "anderswo");
        // Open to every user, for the cases run as one who may not write.
        fs::permissions(ordner_, fs::perms::all);
        fs::permissions(ordner_ / "anderswo", fs::perms::all);
        alt_ = fs::current_path();
        fs::current_path(ordner_);
    }
    void TearDown() override {
        fs::current_path(alt_);
        fs::permissions(ordner_, fs::perms::all);
        fs::remove_all(ordner_);
    }

    static void schreiben(const fs::path& pfad, const std::string& bytes, mode_t modus = 0644) {
        std::ofstream(pfad, std::ios::binary) << bytes;
        chmod(pfad.c_str(), modus); // whatever the umask
    }
    static std::string lesen(const fs::path& pfad) {
        std::ifstream datei(pfad, std::ios::binary);
        std::ostringstream bytes;
        bytes << datei.rdbuf();
        return bytes.str();
    }
    static mode_t modus(const fs::path& pfad) {
        struct stat info {};
        stat(pfad.c_str(), &info);
        return info.st_mode & 07777;
    }
    // Every name in the test's folders: a temporary file left behind shows here.
    std::set<std::string> namen() const {
        std::set<std::string> alle;
        for (const auto& e : fs::recursive_directory_iterator(ordner_))
            alle.insert(e.path().lexically_relative(ordner_).string());
        return alle;
    }

  private:
    fs::path ordner_, alt_;
};

TEST_F(DateiErsetzen, KeepsThePermissionBitsOfTheOldFile) {
    for (const mode_t bits : {0600, 0640, 0604, 0660, 0755, 0444}) {
        SCOPED_TRACE(bits);
        schreiben("daten.txt", "alt\r\n", bits);
        ASSERT_TRUE(dateiErsetzen("daten.txt", "neu\r\n")); // the test runs as the file's owner
        EXPECT_EQ(lesen("daten.txt"), "neu\r\n");
        EXPECT_EQ(modus("daten.txt"), bits);
        EXPECT_EQ(namen(), (std::set<std::string>{"anderswo", "daten.txt"}));
        fs::remove("daten.txt");
    }
}

TEST_F(DateiErsetzen, ANewFileGetsTheUsualModeAndAnOwnerKeepsOwnerAndGroup) {
    const mode_t maske = umask(022);
    ASSERT_TRUE(dateiErsetzen("daten.txt", ""));
    umask(maske);
    EXPECT_EQ(modus("daten.txt"), 0644u);
    EXPECT_EQ(lesen("daten.txt"), "");

    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
    const passwd* niemand = getpwnam("nobody");
    if (!niemand) GTEST_SKIP() << "no user 'nobody' on this machine";
    schreiben("daten.txt", "alt", 0640);
    ASSERT_EQ(chown("daten.txt", niemand->pw_uid, niemand->pw_gid), 0);
    ASSERT_TRUE(dateiErsetzen("daten.txt", "neu"));
    struct stat info {};
    ASSERT_EQ(stat("daten.txt", &info), 0);
    EXPECT_EQ(info.st_uid, niemand->pw_uid);
    EXPECT_EQ(info.st_gid, niemand->pw_gid);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(DateiErsetzen, FollowsSymbolicLinksAndKeepsThem) {
    struct Fall {
        const char* ziel;  // what the link says
        const char* datei; // the file that must end up replaced
    };
    const Fall faelle[] = {
        {"echt.txt", "echt.txt"},                   // beside the link
        {"anderswo/echt.txt", "anderswo/echt.txt"}, // into another folder, relative
        {"kette", "anderswo/echt.txt"},             // a link to a link
        {"anderswo/neu.txt", "anderswo/neu.txt"},   // a link whose file is yet to be made
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.ziel);
        schreiben("echt.txt", "alt", 0600);
        schreiben("anderswo/echt.txt", "alt", 0600);
        fs::remove("anderswo/neu.txt");
        fs::create_symlink("anderswo/echt.txt", "kette");
        fs::create_symlink(fall.ziel, "daten.txt");

        ASSERT_TRUE(dateiErsetzen("daten.txt", "neu"));
        EXPECT_TRUE(fs::is_symlink("daten.txt"));
        EXPECT_EQ(fs::read_symlink("daten.txt"), fall.ziel);
        EXPECT_EQ(lesen(fall.datei), "neu");
        if (fs::path(fall.datei) != "anderswo/neu.txt") {
            EXPECT_EQ(modus(fall.datei), 0600u);
        }
        for (const char* andere : {"echt.txt", "anderswo/echt.txt"}) {
            if (fs::path(andere) != fall.datei) {
                EXPECT_EQ(lesen(andere), "alt") << andere;
            }
        }
        EXPECT_EQ(namen().size(), fs::exists("anderswo/neu.txt") ? 6u : 5u);
        fs::remove("daten.txt");
        fs::remove("kette");
    }
    // An absolute link as well.
    schreiben("anderswo/echt.txt", "alt");
    fs::create_symlink(fs::absolute("anderswo/echt.txt"), "daten.txt");
    ASSERT_TRUE(dateiErsetzen("daten.txt", "neu"));
    EXPECT_EQ(lesen("anderswo/echt.txt"), "neu");
}

// Runs dateiErsetzen in a child that has dropped to the user "nobody" when it ran
// as root; as an ordinary user it already is one. 1 replaced, 0 refused.
int alsNiemand(const std::string& inhalt) {
    const passwd* niemand = getpwnam("nobody");
    if (geteuid() == 0 && !niemand) return -1;
    const pid_t kind = fork();
    if (kind == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(niemand->pw_gid) != 0 ||
                               setuid(niemand->pw_uid) != 0))
            _exit(3);
        _exit(dateiErsetzen("daten.txt", inhalt) ? 1 : 0);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

TEST_F(DateiErsetzen, AUserWhoMayNotWriteChangesNothing) {
    struct Fall {
        const char* was;
        mode_t datei;
        mode_t ordner;
    };
    const Fall faelle[] = {
        {"a read-only file in a folder open to all", 0444, 0777},
        {"a file of another user that only its owner may write", 0644, 0777},
        {"a writable file in a folder that cannot hold a temporary file", 0666, 0555},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        schreiben("daten.txt", "alt\r\n", fall.datei);
        if (geteuid() != 0 && fall.datei == 0644) continue; // the file would be the user's own
        chmod(".", fall.ordner);
        const int ergebnis = alsNiemand("neu\r\n");
        chmod(".", 0777);
        if (ergebnis == -1) GTEST_SKIP() << "running as root without a user 'nobody' to drop to";
        EXPECT_EQ(ergebnis, 0);
        EXPECT_EQ(lesen("daten.txt"), "alt\r\n");
        EXPECT_EQ(modus("daten.txt"), fall.datei);
        EXPECT_EQ(namen(), (std::set<std::string>{"anderswo", "daten.txt"}));
    }
    // The same user may save once the file is open to all.
    chmod("daten.txt", 0666);
    EXPECT_EQ(alsNiemand("neu\r\n"), 1);
    EXPECT_EQ(lesen("daten.txt"), "neu\r\n");
}

TEST_F(DateiErsetzen, SavesANameNearTheFileSystemsLimit) {
    // The temporary name adds to the file's own; it must still fit.
    const std::string lang(250, 'x'), laengst = "anderswo/" + std::string(255, 'y');
    fs::create_symlink(laengst, "verweis.txt");
    for (const auto& [name, datei] :
         {std::pair{lang, lang}, std::pair{std::string("verweis.txt"), laengst}}) {
        SCOPED_TRACE(datei.size());
        schreiben(datei, "alt");
        EXPECT_TRUE(dateiErsetzen(name.c_str(), "neu"));
        EXPECT_EQ(lesen(datei), "neu");
    }
    EXPECT_EQ(namen().size(), 4u); // the two files, the link and "anderswo"
}

TEST_F(DateiErsetzen, SomethingThatIsNoFileIsNotReplaced) {
    fs::create_directories("daten.txt/drin");
    EXPECT_FALSE(dateiErsetzen("daten.txt", "neu"));
    EXPECT_TRUE(fs::is_directory("daten.txt/drin"));
    EXPECT_EQ(namen().size(), 3u);
}

} // namespace
