#pragma once
// What the screen tests share: a fresh application folder per test, and a way to answer the
// message boxes a screen shows (they are modal, so they are answered from the event loop).

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

namespace revora::testing {

inline QString TestInstallFolder() { return qEnvironmentVariable("REVORA_INSTALL_FOLDER"); }

// Records the text of the next message box and closes it.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                titles_ << box->windowTitle();
                box->close();
            }
        });
        timer_.start();
    }
    const QStringList& texts() const { return texts_; }
    const QStringList& titles() const { return titles_; }

private:
    QTimer timer_;
    QStringList texts_;
    QStringList titles_;
};

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace revora::testing
