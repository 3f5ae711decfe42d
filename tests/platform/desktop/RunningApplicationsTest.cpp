#include "platform/desktop/DesktopEntry.h"
#include "platform/desktop/ProcRunningApplications.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

using platform::DesktopEntry;
using platform::ProcRunningApplications;
using platform::RunningApplication;

namespace {

struct FixtureProcess {
    pid_t pid;
    pid_t parent;
    std::string executable;
    std::vector<std::string> environment;
    uid_t owner = getuid();
    uint64_t startTime = 1000;
    std::vector<std::string> arguments = {"--flag"};  // after its own name
    pid_t session = 1;
};

// A /proc tree and two folders of desktop entries (the user's, then the system's).
class Fixture {
public:
    explicit Fixture(std::string locale = "en_US")
        : environment_([&](auto& values) { values.preferredLanguages = {locale}; }) {}

    const testsupport::TempFolder& folder() const { return environment_.folder(); }
    std::string userApplications() const { return folder() / "local/applications"; }
    std::string systemApplications() const { return folder() / "usr/applications"; }

    std::string entry(const std::string& relative, const std::string& body) const {
        return folder().writeFile(relative, "[Desktop Entry]\nType=Application\n" + body);
    }

    void process(const FixtureProcess& process) const {
        std::string base = "proc/" + std::to_string(process.pid) + "/";
        folder().writeFile(base + "status", "Name:\tx\nUid:\t" + std::to_string(process.owner) + "\t0\t0\t0\n");
        folder().writeFile(base + "stat", std::to_string(process.pid) + " (odd (name)) S " +
                                              std::to_string(process.parent) + " 1 " + std::to_string(process.session) +
                                              " 0 -1 4194304 0 0 0 0 0 0 0 0 20 0 1 0 " +
                                              std::to_string(process.startTime) + " 0\n");
        std::string block;
        for (const auto& variable : process.environment) block += variable + '\0';
        folder().writeFile(base + "environ", block);
        std::string commandLine = process.executable + '\0';
        for (const auto& argument : process.arguments) commandLine += argument + '\0';
        folder().writeFile(base + "cmdline", commandLine);
        std::string exe = folder() / (base + "exe");
        unlink(exe.c_str());
        symlink(process.executable.c_str(), exe.c_str());
    }

    // The process table's "self": this program, running in the session of that leader.
    void self(const FixtureProcess& process) const {
        this->process(process);
        symlink(std::to_string(process.pid).c_str(), (folder() / "proc/self").c_str());
    }

    std::vector<RunningApplication> running() const { return applications().runningApplications(); }
    ProcRunningApplications applications() const {
        return ProcRunningApplications({userApplications(), systemApplications()});
    }

private:
    testsupport::ScopedEnvironment environment_;
};

std::vector<std::string> identifiers(const std::vector<RunningApplication>& applications) {
    std::vector<std::string> ids;
    for (const auto& application : applications) ids.push_back(application.bundleIdentifier + ":" + std::to_string(application.pid));
    return ids;
}

}  // namespace

TEST(DesktopEntry, ReadsItsOwnGroupWithEscapesQuotingAndLocalisedValues) {
    auto entry = DesktopEntry::parse(
        "# comment\n[Desktop Entry]\nName=Text Editor\nName[zh_CN]=文本编辑器\nComment=a\\sb\\\\c\n"
        "Exec=env LANG=C \"/opt/My App/run\" --x \"quoted \\\\\"arg\\\\\"\" %U\nName=Second\n"
        "[Desktop Action new]\nExec=other\n");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->value("Name"), "Text Editor");
    EXPECT_EQ(entry->localizedValue("Name", "zh_CN"), "文本编辑器");
    EXPECT_EQ(entry->localizedValue("Name", "de_DE"), "Text Editor");
    EXPECT_EQ(entry->value("Comment"), "a b\\c");
    EXPECT_EQ(entry->execProgram(), "/opt/My App/run");
    std::vector<std::string> arguments{"env", "LANG=C", "/opt/My App/run", "--x", "quoted \"arg\"", "%U"};
    EXPECT_EQ(entry->execArguments(), arguments);
    EXPECT_FALSE(DesktopEntry::parse("[Other]\nName=x\n").has_value());
    EXPECT_FALSE(DesktopEntry::read("/nonexistent/file.desktop").has_value());
}

TEST(RunningApplications, LaunchedByTheDesktopOrMatchedByProgram) {
    Fixture fixture("zh_CN");
    std::string firefoxFile = fixture.entry("usr/applications/firefox-esr.desktop",
                                            "Name=Firefox ESR\nName[zh_CN]=火狐\nIcon=firefox-esr\n"
                                            "Exec=/usr/lib/firefox-esr/firefox-esr %u\n");
    fixture.entry("usr/applications/org.gnome.Calculator.desktop",
                  "Name=Calculator\nIcon=accessories-calculator\nExec=gnome-calculator\n");
    // Launched by the desktop: the variable names this very process.
    fixture.process({100, 1, "/usr/bin/gnome-calculator",
                     {"GIO_LAUNCHED_DESKTOP_FILE=" + fixture.systemApplications() + "/org.gnome.Calculator.desktop",
                      "GIO_LAUNCHED_DESKTOP_FILE_PID=100"}});
    // A shell started from it inherits the variables but is no application.
    fixture.process({101, 100, "/usr/bin/bash",
                     {"GIO_LAUNCHED_DESKTOP_FILE=" + firefoxFile, "GIO_LAUNCHED_DESKTOP_FILE_PID=100"}});
    // Firefox started from a terminal, with one content process below it.
    fixture.process({200, 101, "/usr/lib/firefox-esr/firefox-esr", {}});
    fixture.process({201, 200, "/usr/lib/firefox-esr/firefox-esr", {}});
    // Someone else's Firefox.
    fixture.process({300, 1, "/usr/lib/firefox-esr/firefox-esr", {}, getuid() + 1});

    auto running = fixture.running();
    EXPECT_EQ(identifiers(running), (std::vector<std::string>{"org.gnome.Calculator:100", "firefox-esr:200"}));
    ASSERT_EQ(running.size(), 2u);
    EXPECT_EQ(running[0].name, "Calculator");
    EXPECT_EQ(running[0].icon, "accessories-calculator");
    EXPECT_EQ(running[0].path, "/usr/bin/gnome-calculator");
    EXPECT_EQ(running[0].startTime, 1000u);
    EXPECT_EQ(running[1].name, "火狐");
    EXPECT_EQ(running[1].icon, "firefox-esr");
}

TEST(RunningApplications, EntriesThatCannotNameTheirProgramAreNotMatched) {
    Fixture fixture;
    fixture.entry("usr/applications/python3.11.desktop", "Name=Python\nExec=/usr/bin/python3.11\nTerminal=true\n");
    fixture.entry("usr/applications/tool.desktop", "Name=Tool\nExec=sh -c \"tool --gui\"\n");
    fixture.entry("usr/applications/gone.desktop", "Name=Gone\nExec=gone\nHidden=true\n");
    fixture.folder().writeFile("usr/applications/link.desktop", "[Desktop Entry]\nType=Link\nName=Site\nExec=site\n");
    fixture.process({10, 1, "/usr/bin/python3.11", {}});
    fixture.process({11, 1, "/usr/bin/sh", {}});
    fixture.process({12, 1, "/usr/bin/gone", {}});
    fixture.process({13, 1, "/usr/bin/site", {}});
    EXPECT_TRUE(fixture.running().empty());
}

TEST(RunningApplications, IdsFollowTheFoldersPrecedenceAndSubfolders) {
    Fixture fixture;
    fixture.entry("local/applications/gimp.desktop", "Name=My GIMP\nExec=env GIMP_X=1 gimp-2.10 %U\n");
    fixture.entry("usr/applications/gimp.desktop", "Name=GIMP\nExec=gimp-2.10 %U\n");
    fixture.entry("usr/applications/kde/kate.desktop", "Name=Kate\nExec=kate\n");
    // A user entry that hides a system one hides it for matching too.
    fixture.entry("local/applications/vlc.desktop", "Name=VLC\nExec=vlc\nHidden=true\n");
    fixture.entry("usr/applications/vlc.desktop", "Name=VLC\nExec=vlc\n");
    fixture.process({5, 1, "/usr/bin/gimp-2.10", {}});
    fixture.process({6, 1, "/usr/bin/kate", {}});
    fixture.process({7, 1, "/usr/bin/vlc", {}});
    auto running = fixture.running();
    EXPECT_EQ(identifiers(running), (std::vector<std::string>{"gimp:5", "kde-kate:6"}));
    EXPECT_EQ(running.front().name, "My GIMP");
}

TEST(RunningApplications, AnEntryOutsideTheFoldersAndVanishedProcesses) {
    Fixture fixture;
    std::string outside = fixture.folder().writeFile("elsewhere/portable-app.desktop",
                                                     "[Desktop Entry]\nType=Application\nExec=/opt/p/app\n");
    fixture.process({20, 1, "/opt/p/app", {"GIO_LAUNCHED_DESKTOP_FILE=" + outside}});
    // A process that ended while it was read leaves an empty folder.
    fixture.folder().makeFolder("proc/21");
    fixture.folder().makeFolder("proc/self");
    auto running = fixture.running();
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(running[0].bundleIdentifier, "portable-app");
    EXPECT_EQ(running[0].name, "portable-app");
}

TEST(RunningApplications, OnlyNewProcessesAreReadAgain) {
    Fixture fixture;
    fixture.entry("usr/applications/kate.desktop", "Name=Kate\nExec=kate\n");
    fixture.entry("usr/applications/gedit.desktop", "Name=Gedit\nExec=gedit\n");
    fixture.process({30, 1, "/usr/bin/kate", {}});
    fixture.process({31, 1, "/usr/bin/kate", {}});
    auto applications = fixture.applications();
    EXPECT_EQ(identifiers(applications.runningApplications()), (std::vector<std::string>{"kate:30", "kate:31"}));

    // The same process (same start time) keeps its answer; a new one under a reused pid is read.
    fixture.process({30, 1, "/usr/bin/gedit", {}});
    FixtureProcess reused{31, 1, "/usr/bin/gedit", {}};
    reused.startTime = 2000;
    fixture.process(reused);
    EXPECT_EQ(identifiers(applications.runningApplications()), (std::vector<std::string>{"kate:30", "gedit:31"}));

    // An ended process is gone from the list.
    std::filesystem::remove_all(fixture.folder() / "proc/30");
    EXPECT_EQ(identifiers(applications.runningApplications()), (std::vector<std::string>{"gedit:31"}));
}

// Shaped like the entries of openbox, GNOME Shell, Plasma's shell and Xfce's panel settings, each
// with a process of its program: none is the user's application, nor are this program and the
// leader of its session, whatever entry they match. The panel's settings started from their entry
// are an application; the running panel is not.
TEST(RunningApplications, TheDesktopsOwnPartsAreNeverListed) {
    Fixture fixture;
    fixture.entry("usr/applications/openbox.desktop",
                  "Name=Openbox\nExec=openbox\nIcon=openbox\nNoDisplay=true\nX-GNOME-WMName=Openbox\n"
                  "X-GNOME-Autostart-Phase=WindowManager\nX-GNOME-Provides=windowmanager\n");
    std::string shell = fixture.entry("usr/applications/org.gnome.Shell.desktop",
                                      "Name=GNOME Shell\nExec=/usr/bin/gnome-shell\nCategories=GNOME;GTK;Core;\n"
                                      "OnlyShowIn=GNOME;\nNoDisplay=true\nX-GNOME-Autostart-Phase=DisplayServer\n"
                                      "X-GNOME-Provides=panel;windowmanager;\n");
    fixture.entry("usr/applications/org.kde.plasmashell.desktop",
                  "Name=Plasma\nExec=plasmashell\nIcon=plasma\nNoDisplay=true\nX-KDE-autostart-phase=0\n");
    fixture.entry("usr/applications/panel-preferences.desktop",
                  "Name=Panel\nExec=xfce4-panel --preferences\nIcon=org.xfce.panel\n"
                  "Categories=XFCE;GTK;Settings;DesktopSettings;X-XFCE-SettingsDialog;X-XFCE-PersonalSettings;\n");
    fixture.entry("usr/applications/panel-only.desktop", "Name=Panel only\nExec=lxqt-panel\nX-LXQt-Module=true\n");
    fixture.entry("usr/applications/shell-core.desktop", "Name=Core\nExec=core-part\nCategories=Utility;Core\n");
    fixture.entry("usr/applications/kate.desktop", "Name=Kate\nExec=kate %U\n");
    fixture.entry("usr/applications/gedit.desktop", "Name=Gedit\nExec=gedit\n");

    fixture.process({10, 1, "/usr/bin/openbox", {}});
    fixture.process({11, 1, "/usr/bin/gnome-shell", {}});
    // Launched from its entry all the same.
    fixture.process({12, 1, "/usr/bin/gnome-shell", {"GIO_LAUNCHED_DESKTOP_FILE=" + shell, "GIO_LAUNCHED_DESKTOP_FILE_PID=12"}});
    fixture.process({13, 1, "/usr/bin/plasmashell", {}});
    FixtureProcess panel{14, 1, "/usr/bin/xfce4-panel", {}};
    panel.arguments = {"--display", ":0"};
    fixture.process(panel);
    FixtureProcess panelSettings{15, 1, "/usr/bin/xfce4-panel", {}};
    panelSettings.arguments = {"--preferences"};
    fixture.process(panelSettings);
    fixture.process({16, 1, "/usr/bin/lxqt-panel", {}});
    fixture.process({17, 1, "/usr/bin/core-part", {}});
    fixture.process({20, 1, "/usr/bin/kate", {}});
    // The session's leader and this program, each matching an application's entry.
    fixture.process({30, 1, "/usr/bin/gedit", {}});
    FixtureProcess self{31, 30, "/usr/bin/kate", {}};
    self.session = 30;
    fixture.self(self);

    EXPECT_EQ(identifiers(fixture.running()), (std::vector<std::string>{"panel-preferences:15", "kate:20"}));
}
