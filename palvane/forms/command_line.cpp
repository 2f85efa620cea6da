#include "palvane/forms/command_line.h"

#include <cstdio>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace palvane {

CommandLine readCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "The X-ray field of a mammography tube: spectrum, energy fluence, air kerma and "
      "aluminium half-value layer over the image plane."));
  // Qt's own options (-platform offscreen, -style fusion, ...) are left to QApplication,
  // which takes them after this reading; they are accepted here and not shown in the help.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                           "geometry", "style", "stylesheet", "qmljsdebugger"}) {
    QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qtOption);
  }
  for (const char* name : {"reverse", "widgetcount"}) {
    QCommandLineOption qtOption(QString::fromLatin1(name));
    qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qtOption);
  }
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Displays this help and ends."));
  parser.addOption(help);
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption language(
      QStringLiteral("language"),
      QStringLiteral("Shows the forms in English (en) or Japanese (ja) instead of the language "
                     "last chosen on a form."),
      QStringLiteral("en|ja"));
  parser.addOption(language);

  CommandLine result;
  const auto fail = [&result](const QString& problem) {
    result.exitStatus = 1;
    result.text = QStringLiteral("palvane: %1\nTry 'palvane --help'.\n").arg(problem);
    return result;
  };
  if (!parser.parse(arguments)) return fail(parser.errorText());
  if (!parser.positionalArguments().isEmpty()) {
    return fail(QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments()[0]));
  }
  if (parser.isSet(help)) {
    result.exitStatus = 0;
    result.text = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.exitStatus = 0;
    result.text = QStringLiteral("palvane " PALVANE_VERSION "\n");
    return result;
  }
  if (parser.isSet(language)) {
    result.language = languageFromCode(parser.value(language));
    if (!result.language) {
      return fail(
          QStringLiteral("unknown language '%1': use en or ja.").arg(parser.value(language)));
    }
  }
  return result;
}

CommandLine readProcessCommandLine(int argc, char* argv[]) {
  CommandLine commandLine;
  {
    const QCoreApplication reader(argc, argv);
    commandLine = readCommandLine(QCoreApplication::arguments());
  }
  if (commandLine.exitStatus) {
    std::fputs(commandLine.text.toLocal8Bit().constData(),
               *commandLine.exitStatus == 0 ? stdout : stderr);
  }
  return commandLine;
}

}  // namespace palvane
