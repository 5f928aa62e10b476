// Replacing a kept file: its permission bits, owner, ACL and extended attributes,
// symbolic links, names near the limit, and every way it can fail (writes that fail part
// way, users who may not write it, something that is no file), with no temporary file
// left behind either way.
#include "ersetzen.h"
#include "toolbox.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h> // beyond POSIX: the test sets and reads attributes with Linux's calls
#endif

namespace fs = std::filesystem;
using dateisystem::dateiErsetzen;

namespace {

class DateiErsetzen : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(ordner_ / "anderswo");
        // Open to every user, for the cases run as one who may not write.
        fs::permissions(ordner_.path(), fs::perms::all);
        fs::permissions(ordner_ / "anderswo", fs::perms::all);
        ordner_.enter();
    }

    static void schreiben(const fs::path& pfad, const std::string& bytes, mode_t modus = 0644) {
        toolbox::writeFile(pfad, bytes);
        chmod(pfad.c_str(), modus); // whatever the umask
    }
    static std::string lesen(const fs::path& pfad) { return toolbox::readFile(pfad); }
    static mode_t modus(const fs::path& pfad) {
        struct stat info {};
        stat(pfad.c_str(), &info);
        return info.st_mode & 07777;
    }
    // Every name in the test's folders: a temporary file left behind shows here.
    std::set<std::string> namen() const {
        std::set<std::string> alle;
        for (const auto& e : fs::recursive_directory_iterator(ordner_.path()))
            alle.insert(e.path().lexically_relative(ordner_.path()).string());
        return alle;
    }

  private:
    toolbox::ScratchFolder ordner_{"datei-test"};
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

// Runs dateiErsetzen in a child: as the user "nobody" when `alsNiemand` and the test
// runs as root (as an ordinary user it already is one who may not write another's
// file), and with files that may not grow beyond `grenze` bytes unless it is 0. 1
// replaced, 0 refused, -1 running as root without a user "nobody" to drop to.
int imKindSpeichern(const std::string& inhalt, bool alsNiemand, rlim_t grenze = 0) {
    const passwd* niemand = getpwnam("nobody");
    const bool wechseln = alsNiemand && geteuid() == 0;
    if (wechseln && !niemand) return -1;
    const pid_t kind = fork();
    if (kind == 0) {
        // setgroups is beyond POSIX, but Linux, macOS and the BSDs all have it.
        if (wechseln && (setgroups(0, nullptr) != 0 || setgid(niemand->pw_gid) != 0 ||
                         setuid(niemand->pw_uid) != 0))
            _exit(3);
        if (grenze > 0) {
            // A write past the limit then fails with EFBIG instead of ending the process.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{grenze, grenze};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(4);
        }
        _exit(dateiErsetzen("daten.txt", inhalt) ? 1 : 0);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

int alsNiemandSpeichern(const std::string& inhalt) {
    return imKindSpeichern(inhalt, true);
}

// Every way a replace can fail: the old file, or what stands in its place, is as it was
// afterwards, and no temporary file is left.
struct Fehlschlag {
    const char* name;
    std::optional<std::string> alt; // none: a folder with something in it has the name
    mode_t datei;
    mode_t ordner;           // the folder's mode while the replace runs
    std::string neu;         // what is saved
    rlim_t grenze = 0;       // files may not grow beyond this many bytes (0: no limit)
    bool alsNiemand = false; // saved by a user who may not write the file
    bool nurAlsRoot = false; // as an ordinary user the file would be the user's own
};

void PrintTo(const Fehlschlag& f, std::ostream* os) {
    *os << f.name;
}

const Fehlschlag kFehlschlaege[] = {
    {"AWriteFailingPartWay", "old contents\r\n", 0644, 0777, std::string(12000, 'n'), 4096},
    {"AWriteFailingPartWayThroughALargeFile", std::string(1 << 20, 'a'), 0644, 0777,
     std::string((1 << 20) + 50, 'n'), 65536},
    {"AReadOnlyFileInAFolderOpenToAll", "alt\r\n", 0444, 0777, "neu\r\n", 0, true},
    {"AFileOfAnotherUserThatOnlyItsOwnerMayWrite", "alt\r\n", 0644, 0777, "neu\r\n", 0, true, true},
    {"AWritableFileInAFolderThatCannotHoldATemporaryFile", "alt\r\n", 0666, 0555, "neu\r\n", 0,
     true},
    {"SomethingThatIsNoFile", std::nullopt, 0, 0777, "neu", 0},
};

class FailedReplace : public DateiErsetzen, public testing::WithParamInterface<Fehlschlag> {};

TEST_P(FailedReplace, LeavesTheOldFileAsItWasAndNoTemporaryFile) {
    const Fehlschlag& f = GetParam();
    if (f.nurAlsRoot && geteuid() != 0) GTEST_SKIP() << "the file would be the user's own";
    if (f.alt) {
        schreiben("daten.txt", *f.alt, f.datei);
    } else {
        fs::create_directories("daten.txt/drin");
    }
    const std::set<std::string> vorher = namen();
    chmod(".", f.ordner);
    const int ergebnis = imKindSpeichern(f.neu, f.alsNiemand, f.grenze);
    chmod(".", 0777);
    if (ergebnis == -1) GTEST_SKIP() << "running as root without a user 'nobody' to drop to";
    EXPECT_EQ(ergebnis, 0);
    EXPECT_EQ(namen(), vorher);
    if (!f.alt) {
        EXPECT_TRUE(fs::is_directory("daten.txt/drin"));
        return;
    }
    EXPECT_TRUE(lesen("daten.txt") == *f.alt) << "the old file changed";
    EXPECT_EQ(modus("daten.txt"), f.datei);
    // Where only the limit was in the way, the same save succeeds without it.
    if (f.grenze > 0) {
        EXPECT_TRUE(dateiErsetzen("daten.txt", f.neu));
        EXPECT_TRUE(lesen("daten.txt") == f.neu);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedReplace, testing::ValuesIn(kFehlschlaege),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DateiErsetzen, AnotherUserSavesAFileOpenToAll) {
    schreiben("daten.txt", "alt\r\n", 0666);
    const int ergebnis = alsNiemandSpeichern("neu\r\n");
    if (ergebnis == -1) GTEST_SKIP() << "running as root without a user 'nobody' to drop to";
    EXPECT_EQ(ergebnis, 1);
    EXPECT_EQ(lesen("daten.txt"), "neu\r\n");
}

#ifdef __linux__
constexpr const char* kAttribut = "user.herkunft";

// The raw value of an extended attribute, "" where there is none.
std::string attribut(const fs::path& pfad, const char* name) {
    std::string wert(65536, '\0');
    const ssize_t laenge = getxattr(pfad.c_str(), name, wert.data(), wert.size());
    wert.resize(laenge < 0 ? 0 : static_cast<std::size_t>(laenge));
    return wert;
}
#endif

#if LINUX_XATTRS
constexpr const char* kAcl = "system.posix_acl_access";
constexpr const char* kOrdnerAcl = "system.posix_acl_default";

// An ACL as the kernel stores it: version 2, then tag, permissions and id of each
// entry, little-endian, sorted by tag. The owner and `wer` may read and write, the
// group may read, others nothing: user::rw-, user:wer:rw-, group::r--, mask::rw-.
std::string aclFuer(uid_t wer) {
    std::string blob;
    const auto anhaengen = [&blob](std::uint32_t wert, int bytes) {
        for (int i = 0; i < bytes; ++i) blob += static_cast<char>(wert >> (8 * i));
    };
    anhaengen(2, 4);
    const std::uint32_t keiner = ~0u;
    const std::uint32_t eintraege[][3] = {
        {0x01, 6, keiner}, {0x02, 6, wer}, {0x04, 4, keiner}, {0x10, 6, keiner}, {0x20, 0, keiner}};
    for (const auto& eintrag : eintraege) {
        anhaengen(eintrag[0], 2);
        anhaengen(eintrag[1], 2);
        anhaengen(eintrag[2], 4);
    }
    return blob;
}
#endif

TEST_F(DateiErsetzen, KeepsTheAclAndTheExtendedAttributes) {
#if !LINUX_XATTRS
    GTEST_SKIP() << "the POSIX-only path (POSIX_ONLY, or a system other than Linux) carries "
                    "no ACL and no extended attributes";
#else
    const passwd* niemand = getpwnam("nobody");
    if (!niemand) GTEST_SKIP() << "no user 'nobody' for an ACL to name";
    const std::string acl = aclFuer(niemand->pw_uid);
    struct Fall {
        const char* was;
        const char* name; // what is saved; the file is daten.txt
        bool acl, attribut;
        bool alsNiemand; // saved by the user the ACL names
        bool ordnerAcl;  // the folder gives each new file the ACL
    };
    const Fall faelle[] = {
        {"an ACL that lets one more user write", "daten.txt", true, false, false, false},
        {"a user. attribute", "daten.txt", false, true, false, false},
        {"both, through a symbolic link", "verweis.txt", true, true, false, false},
        {"both, saved by the user the ACL names", "daten.txt", true, true, true, false},
        {"none, in a folder whose new files get an ACL", "daten.txt", false, false, false, true},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        schreiben("daten.txt", "alt\r\n", 0640);
        fs::create_symlink("daten.txt", "verweis.txt");
        const std::string wert = "Pruefungsamt";
        if ((fall.acl && setxattr("daten.txt", kAcl, acl.data(), acl.size(), 0) != 0) ||
            (fall.attribut && setxattr("daten.txt", kAttribut, wert.data(), wert.size(), 0) != 0) ||
            (fall.ordnerAcl && setxattr(".", kOrdnerAcl, acl.data(), acl.size(), 0) != 0)) {
            ASSERT_EQ(errno, ENOTSUP);
            GTEST_SKIP() << "the temporary folder's file system has no ACLs or attributes";
        }
        const std::string aclVorher = attribut("daten.txt", kAcl);
        const std::string attributVorher = attribut("daten.txt", kAttribut);
        const mode_t modusVorher = modus("daten.txt");

        const bool gespeichert = fall.alsNiemand ? alsNiemandSpeichern("neu\r\n") == 1
                                                 : dateiErsetzen(fall.name, "neu\r\n");
        removexattr(".", kOrdnerAcl);
        EXPECT_TRUE(gespeichert);
        EXPECT_EQ(lesen("daten.txt"), "neu\r\n");
        EXPECT_EQ(attribut("daten.txt", kAcl), aclVorher);
        EXPECT_EQ(attribut("daten.txt", kAttribut), attributVorher);
        EXPECT_EQ(modus("daten.txt"), modusVorher);
        EXPECT_EQ(namen(), (std::set<std::string>{"anderswo", "daten.txt", "verweis.txt"}));
        fs::remove("daten.txt");
        fs::remove("verweis.txt");
    }
#endif
}

#if defined(__linux__) && !LINUX_XATTRS
// The POSIX-only path's limit, where this test can see it: the save keeps the bits and
// carries no attribute, rather than pretending to.
TEST_F(DateiErsetzen, ThePosixOnlyPathKeepsTheBitsButNoExtendedAttribute) {
    schreiben("daten.txt", "alt\r\n", 0640);
    const std::string wert = "Pruefungsamt";
    if (setxattr("daten.txt", kAttribut, wert.data(), wert.size(), 0) != 0) {
        ASSERT_EQ(errno, ENOTSUP);
        GTEST_SKIP() << "the temporary folder's file system has no extended attributes";
    }
    ASSERT_TRUE(dateiErsetzen("daten.txt", "neu\r\n"));
    EXPECT_EQ(lesen("daten.txt"), "neu\r\n");
    EXPECT_EQ(attribut("daten.txt", kAttribut), "");
    EXPECT_EQ(modus("daten.txt"), 0640u);
}
#endif

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

} // namespace
