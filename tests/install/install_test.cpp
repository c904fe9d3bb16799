// The installed program: its desktop entry and metadata pass the desktop's validators, an
// installation into a temporary prefix holds every file the program needs and starts from
// there (offscreen, from the menu's point of view: no data directory, an empty
// XDG_DATA_HOME) creating its data directory, and the Debian package builds with its
// dependencies. A check whose tool is missing is skipped and says which tool.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

#include <filesystem>

#include "support/temp_dir.h"
#include "ui/support/eventually.h"

namespace tarvik::test {
namespace {

namespace fs = std::filesystem;

const QString kAppId = QStringLiteral(TARVIK_APP_ID);
const QString kSource = QStringLiteral(TARVIK_SOURCE_DIR);
const QString kBuild = QStringLiteral(TARVIK_BUILD_DIR);

struct Outcome {
  int exitCode = -1;
  QString output; // stdout and stderr
};

Outcome Execute(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                const QString& directory = QString()) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.setProcessEnvironment(environment);
  if (!directory.isEmpty())
    process.setWorkingDirectory(directory);
  process.start(program, arguments);
  Outcome run;
  if (!process.waitForStarted(30000) || !process.waitForFinished(300000))
    return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.output = QString::fromUtf8(process.readAll());
  return run;
}

/// The full path of a tool, or "" (the test then skips).
QString Tool(const char* name) {
  return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString Q(const std::string& path) {
  return QString::fromStdString(path);
}

TEST(DesktopFiles, TheMenuEntryAndTheMetadataPassTheirValidators) {
  const QString desktop =
      kSource + QStringLiteral("/resources/desktop/") + kAppId + QStringLiteral(".desktop");
  const QString metainfo =
      kSource + QStringLiteral("/resources/desktop/") + kAppId + QStringLiteral(".metainfo.xml");
  const QString validate = Tool("desktop-file-validate");
  const QString appstream = Tool("appstreamcli");
  if (validate.isEmpty() || appstream.isEmpty())
    GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) or appstreamcli (appstream) "
                    "is not installed";
  const Outcome entry = Execute(validate, {desktop});
  EXPECT_EQ(entry.exitCode, 0) << entry.output.toStdString();
  EXPECT_FALSE(entry.output.contains(QStringLiteral("error"))) << entry.output.toStdString();
  const Outcome meta = Execute(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                           QStringLiteral("--pedantic"), metainfo});
  EXPECT_EQ(meta.exitCode, 0) << meta.output.toStdString();
  // The entry starts the program by its name and shows the installed icon.
  QFile file(desktop);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("\nExec=tarvik\n")));
  EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=") + kAppId + QLatin1Char('\n')));
}

class InstalledProgram : public ::testing::Test {
protected:
  void SetUp() override {
    prefix_ = Q(dir_.file("prefix"));
    const Outcome install =
        Execute(QStringLiteral(TARVIK_CMAKE),
                {QStringLiteral("--install"), kBuild, QStringLiteral("--prefix"), prefix_});
    ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();
  }
  QString prefix_;
  TempDataDir dir_;
};

TEST_F(InstalledProgram, HoldsEveryFileAndStartsFromTheMenuIntoANewDataDirectory) {
  const QStringList files = {
      QStringLiteral("bin/tarvik"),
      QStringLiteral("bin/tarvik-tool"),
      QStringLiteral("share/tarvik/manual/de/index.html"),
      QStringLiteral("share/tarvik/manual/en/index.html"),
      QStringLiteral("share/tarvik/manual/de/trouble.html"),
      QStringLiteral("share/tarvik/manual/en/trouble.html"),
      QStringLiteral("share/tarvik/data/ZELKAr.RTF"),
      QStringLiteral("share/tarvik/data/titel_tarvik.bmp"),
      QStringLiteral("share/tarvik/data/westfalen-nord.bmp"),
      QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"),
      QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"),
      QStringLiteral("share/icons/hicolor/48x48/apps/") + kAppId + QStringLiteral(".png"),
      QStringLiteral("share/icons/hicolor/256x256/apps/") + kAppId + QStringLiteral(".png"),
      QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId + QStringLiteral(".svg"),
  };
  for (const QString& file : files)
    EXPECT_TRUE(QFileInfo::exists(prefix_ + QLatin1Char('/') + file)) << file.toStdString();
  EXPECT_TRUE(QFileInfo(prefix_ + QStringLiteral("/bin/tarvik")).isExecutable());

  // Started as the menu starts it: in the home folder, no --data, an XDG_DATA_HOME that
  // does not exist yet, Qt without a display.
  const QString home = Q(dir_.file("home"));
  const QString dataHome = Q(dir_.file("home/xdg-data"));
  ASSERT_TRUE(QDir().mkpath(home));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), home);
  env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
  QProcess program;
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.setProcessEnvironment(env);
  program.setWorkingDirectory(home);
  program.start(prefix_ + QStringLiteral("/bin/tarvik"), {});
  ASSERT_TRUE(program.waitForStarted(30000));

  // Its data directory appears with the shipped files and the program's lock; the country
  // data of the first start follow (then the program waits on its message).
  const QString data = dataHome + QStringLiteral("/tarvik/");
  ASSERT_TRUE(
      Eventually([&] { return QFileInfo::exists(data + QStringLiteral("KXPREFIX.DAT")); }, 120000))
      << program.readAll().toStdString();
  for (const char* name : {"ZELKAr.RTF", "titel_tarvik.bmp", "westfalen-nord.bmp", "KXSETUP.DAT"})
    EXPECT_TRUE(QFileInfo::exists(data + QLatin1String(name))) << name;
  EXPECT_EQ(QFileInfo(dataHome + QStringLiteral("/tarvik")).permissions() &
                (QFile::ReadGroup | QFile::ReadOther),
            QFile::Permissions());
  const auto lockHolder = [&] {
    QFile lock(data + QStringLiteral("TARVIK.LCK"));
    return lock.open(QIODevice::ReadOnly) ? QString::fromUtf8(lock.readAll()) : QString();
  };
  EXPECT_TRUE(
      Eventually([&] { return lockHolder().startsWith(QStringLiteral("Tarvik, PID")); }, 30000))
      << lockHolder().toStdString();
  const QString shippedCountryFile = QStringLiteral("/usr/share/hamradio-files/cty.csv");
  if (QFileInfo::exists(shippedCountryFile))
    EXPECT_TRUE(Eventually(
        [&] { return QFileInfo(data + QStringLiteral("KXPREFEE.DAT")).size() > 100000; }, 120000));
  // The lock covers the chosen directory: the installed tool is refused there meanwhile.
  const Outcome tool = Execute(
      prefix_ + QStringLiteral("/bin/tarvik-tool"),
      {QStringLiteral("import-cty"), QStringLiteral("--if-empty"), QStringLiteral("--data"), data},
      env);
  EXPECT_EQ(tool.exitCode, 1) << tool.output.toStdString();
  EXPECT_TRUE(tool.output.contains(QStringLiteral("TARVIK.LCK"))) << tool.output.toStdString();
  EXPECT_EQ(program.state(), QProcess::Running) << program.readAll().toStdString();
  program.kill();
  EXPECT_TRUE(program.waitForFinished(30000));
  // Nothing was put into the working directory.
  EXPECT_TRUE(QDir(home).entryList(QDir::Files).isEmpty());
}

TEST_F(InstalledProgram, TheDebianPackageBuildsWithTheProgramsDependencies) {
  const QString dpkgDeb = Tool("dpkg-deb");
  const QString cpack = QStringLiteral(TARVIK_CPACK);
  if (dpkgDeb.isEmpty() || !QFileInfo::exists(cpack))
    GTEST_SKIP() << "dpkg-deb or cpack is not installed";
  const QString out = Q(dir_.file("package"));
  const Outcome build =
      Execute(cpack, {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out,
                      QStringLiteral("--config"), kBuild + QStringLiteral("/CPackConfig.cmake")});
  ASSERT_EQ(build.exitCode, 0) << build.output.toStdString();
  const QStringList packages = QDir(out).entryList({QStringLiteral("tarvik_*.deb")}, QDir::Files);
  ASSERT_EQ(packages.size(), 1) << build.output.toStdString();
  const QString deb = out + QLatin1Char('/') + packages.first();

  const Outcome fields = Execute(dpkgDeb, {QStringLiteral("-f"), deb, QStringLiteral("Package"),
                                           QStringLiteral("Depends"), QStringLiteral("Recommends"),
                                           QStringLiteral("Section")});
  ASSERT_EQ(fields.exitCode, 0) << fields.output.toStdString();
  for (const char* wanted :
       {"Package: tarvik", "Section: hamradio", "hamradio-files", "qt6-translations-l10n",
        "qt6-qpa-plugins", "libqt6widgets6", "libqt6printsupport6", "libhamlib", "libc6",
        "Recommends: libhamlib-utils"})
    EXPECT_TRUE(fields.output.contains(QLatin1String(wanted)))
        << wanted << " in " << fields.output.toStdString();

  const Outcome contents = Execute(dpkgDeb, {QStringLiteral("-c"), deb});
  ASSERT_EQ(contents.exitCode, 0);
  for (const QString& path :
       {QStringLiteral("./usr/bin/tarvik"), QStringLiteral("./usr/bin/tarvik-tool"),
        QStringLiteral("./usr/share/applications/") + kAppId + QStringLiteral(".desktop"),
        QStringLiteral("./usr/share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"),
        QStringLiteral("./usr/share/icons/hicolor/48x48/apps/") + kAppId + QStringLiteral(".png"),
        QStringLiteral("./usr/share/tarvik/manual/de/index.html"),
        QStringLiteral("./usr/share/tarvik/data/ZELKAr.RTF")})
    EXPECT_TRUE(contents.output.contains(path)) << path.toStdString();
}

} // namespace
} // namespace tarvik::test
