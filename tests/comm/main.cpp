#include "commtests.h"

#include <QApplication>

namespace CommTests
{

std::vector<Factory> &Registry()
{
    static std::vector<Factory> registry;
    return registry;
}

QString Program(const QString &relative)
{
    const QString dir = qEnvironmentVariable("QUELLIX_TEST_BIN_DIR");
    for (const QString &path : {dir + QLatin1Char('/') + relative, dir + QLatin1Char('/') + relative + ".exe"})
        if (!dir.isEmpty() && QFileInfo(path).isExecutable())
            return path;
    return {};
}

QProcessEnvironment QuietEnvironment(const QString &runtimeDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

void MakeDemoProject(modVantile &m)
{
    m.NewProject();
    m.SetNodeAddress(0x20 - 1);
    m.SetNodeRange(15);
    m.SetBeep(1);
    m.SetResolution(3);
    for (int s = 0; s < modVantile::ScreenCount; s += 3) {
        m.SelectScreen(s);
        for (int b = 0; b < 12; ++b) {
            m.SetButtonType(b, 1 + (b * 5 + s) % 56);
            m.SetButtonLeft(b, 10 + (b % 4) * 110);
            m.SetButtonTop(b, 10 + (b / 4) * 50);
            m.SetButtonDevice(b, (b + s) % 16);
            m.SetButtonPicture(b, 1 + (b + s) % 32);
            m.SetButtonPassword(b, 123456 + b);
        }
        for (int p = 0; p < 6; ++p) {
            m.SetPilotUsed(p, 1);
            m.SetPilotPicture(p, (p * 7) % 48);
            m.SetPilotLeft(p, 20 + p * 40);
            m.SetPilotTop(p, 200);
            m.SetPilotDevice(p, p + 1);
            m.SetPilotInput(p, p % 8);
        }
        for (int n = 0; n < 2; ++n) {
            m.SetSliderPicture(n, 1 + (n + s) % 6);
            m.SetSliderDevice(n, 8 + n + s % 4);
            m.SetSliderLeft(n, 600 + n * 60);
            m.SetSliderTop(n, 20);
        }
        for (int t = 0; t < 4; ++t) {
            m.SetTextType(t, 1 + (t + s) % 9);
            m.SetTextLeft(t, 300);
            m.SetTextTop(t, 250 + t * 40);
            m.SetTextDevice(t, t + 2);
            m.SetTextFontSize(t, t % 4);
            m.SetTextString(t, QStringLiteral("Room %1").arg(t));
        }
    }
    m.SelectScreen(0);
}

} // namespace CommTests

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // "test_comm TestClass [options]" runs one class of the executable.
    QByteArray only;
    if (argc > 1 && argv[1][0] != '-' && QByteArray(argv[1]).startsWith("Test")) {
        only = argv[1];
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    int status = 0;
    for (const auto &make : CommTests::Registry()) {
        std::unique_ptr<QObject> test(make());
        if (only.isEmpty() || only == test->metaObject()->className())
            status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}
