// Start-up of the GUI: from starting the process to its first painted frame, and the resident
// memory at that point. Runs vornik-demo (beside this program) a few times:
//   vornik-bench-startup [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString demo =
        QFileInfo(QCoreApplication::applicationDirPath() + "/vornik-demo").absoluteFilePath();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VORNIK_STARTUP_PROBE", "1");
    if (!env.contains("DISPLAY") && !env.contains("WAYLAND_DISPLAY"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    std::printf("platform: %s\n", qPrintable(env.value("QT_QPA_PLATFORM", "default")));

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(demo, {});
        if (!process.waitForStarted(5000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(demo));
            return 1;
        }
        QByteArray line;
        while (!line.contains("first-paint") && process.waitForReadyRead(10000))
            line += process.readAllStandardOutput();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        process.waitForFinished(5000);
        if (!line.contains("first-paint")) {
            std::fprintf(stderr, "no first frame reported\n");
            return 1;
        }
        times.push_back(ms);
        std::printf("run %d: first frame after %.1f ms, %s", run + 1, ms,
                    line.mid(line.indexOf("first-paint") + 12).constData());
    }
    std::sort(times.begin(), times.end());
    std::printf("median start-up: %.1f ms (target under 300 ms)\n", times[times.size() / 2]);
    return 0;
}
