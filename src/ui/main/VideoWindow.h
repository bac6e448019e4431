#pragma once
// The video window: the choice between streaming the lectures and playing them from this
// computer, the three lecture buttons, and the player.

#include <QMediaPlayer>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "AppFolders.h"
#include "VideoSource.h"

class QAudioOutput;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QVideoWidget;

namespace revora {

class VideoWindow : public QWidget {
    Q_OBJECT
public:
    // baseAddress: where streamed lectures sit; empty means the program's own LectureBaseAddress().
    explicit VideoWindow(const AppPaths& paths, QWidget* parent = nullptr, const QString& baseAddress = {});

    // Each time the window becomes the active child window the choice is read again from the
    // file, which another copy of the program may have changed.
    void activated();

    QMediaPlayer* player() const { return player_; }

protected:
    // Closing the window stops the lecture, so no sound goes on from a window the user closed.
    void closeEvent(QCloseEvent* event) override;

private:
    // The constructor's steps, in the order the controls are made. The builders of the two
    // groups of choices add their controls to the tab order.
    QGroupBox* buildSourceChoice(QList<QWidget*>& tabOrder);
    QGroupBox* buildLectureButtons(QList<QWidget*>& tabOrder);
    void setUpPlayer();
    void setUpPlayerControls();
    void layOut(QGroupBox* sources, QGroupBox* lectures);
    void chooseSource(int index);
    void showSource(std::optional<std::int16_t> source);
    void playLecture(const Lecture& lecture);
    void playerFailed(const QUrl& address, const QString& why);
    void showMessage(const QString& text);
    void updateControls();

    AppPaths paths_;
    QString baseAddress_;
    std::optional<std::int16_t> source_;
    bool messageShown_ = false;
    bool failed_ = false; // the player could not play the lecture it was given
    QButtonGroup* options_;
    QMediaPlayer* player_;
    QAudioOutput* audio_;
    QVideoWidget* video_;
    QPushButton* play_;
    QPushButton* stop_;
    QSlider* position_;
    QLabel* time_;
    QLabel* status_; // what the window waits for, as a lecture chosen before a source
};

} // namespace revora
