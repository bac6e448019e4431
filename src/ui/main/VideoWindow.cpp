#include "VideoWindow.h"

#include <QAudioOutput>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "ProgramWindow.h"

namespace revora {

namespace {

QString ClockTime(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// How a user recognises what failed: the file's own path, or the web address.
QString AddressForUser(const QUrl& address)
{
    return address.isLocalFile() ? QDir::toNativeSeparators(address.toLocalFile()) : address.toDisplayString();
}

const char* const SourceCaptions[] = {"Stream Videos directly from the Internet",
                                      "Play Videos from hard disk on this computer"};

} // namespace

VideoWindow::VideoWindow(const AppPaths& paths, QWidget* parent, const QString& baseAddress)
    : QWidget(parent),
      paths_(paths),
      baseAddress_(baseAddress.isEmpty() ? LectureBaseAddress() : baseAddress),
      options_(new QButtonGroup(this)),
      player_(new QMediaPlayer(this)),
      audio_(new QAudioOutput(this)),
      video_(new QVideoWidget(this)),
      play_(new QPushButton(QStringLiteral("&Play"), this)),
      stop_(new QPushButton(QStringLiteral("&Stop"), this)),
      position_(new QSlider(Qt::Horizontal, this)),
      time_(new QLabel(this)),
      status_(new QLabel(this))
{
    setObjectName("frmVideo");
    setWindowTitle(QStringLiteral("Video"));
    setWindowIcon(ProgramIcon());

    QList<QWidget*> tabOrder;
    QGroupBox* sources = buildSourceChoice(tabOrder);
    QGroupBox* lectures = buildLectureButtons(tabOrder);
    setUpPlayer();
    setUpPlayerControls();
    tabOrder << play_ << stop_ << position_;
    layOut(sources, lectures);
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    updateControls();
}

QGroupBox* VideoWindow::buildSourceChoice(QList<QWidget*>& tabOrder)
{
    // Alt+V takes the focus into the options (where it last was, else the checked one), where
    // the arrow keys choose.
    auto* sourceChoice = new QGroupBox(QStringLiteral("&Video source"), this);
    sourceChoice->setObjectName("Frame1");
    auto* frameLayout = new QVBoxLayout(sourceChoice);
    for (int index = 0; index < 2; ++index) {
        auto* option = new QRadioButton(QString::fromUtf8(SourceCaptions[index]), sourceChoice);
        option->setObjectName(QStringLiteral("Option1_%1").arg(index));
        options_->addButton(option, index);
        frameLayout->addWidget(option);
        tabOrder << option;
    }
    // Only a click chooses a source; what activated() selects from the file writes nothing.
    connect(options_, &QButtonGroup::idClicked, this, &VideoWindow::chooseSource);
    return sourceChoice;
}

QGroupBox* VideoWindow::buildLectureButtons(QList<QWidget*>& tabOrder)
{
    auto* lectures = new QGroupBox(QStringLiteral("&Lectures"), this);
    lectures->setObjectName("Frame2");
    auto* lectureLayout = new QVBoxLayout(lectures);
    for (const Lecture& lecture : Lectures) {
        auto* button = new QPushButton(QString::fromUtf8(lecture.caption), lectures);
        button->setObjectName(QStringLiteral("Command1_%1").arg(lecture.index));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, &lecture] { playLecture(lecture); });
        lectureLayout->addWidget(button);
        tabOrder << button;
    }
    return lectures;
}

void VideoWindow::setUpPlayer()
{
    player_->setObjectName("WindowsMediaPlayer1");
    player_->setAudioOutput(audio_);
    player_->setVideoOutput(video_);
    video_->setObjectName("videoArea");
    video_->setFixedSize(480, 360);
    video_->setAspectRatioMode(Qt::KeepAspectRatio);
    // The player may report a failure from inside setSource(); the message waits until that
    // call is over, so a modal box never runs inside the player's own work. It names the
    // lecture that failed, even if another one has been chosen since.
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString& why) {
        if (error == QMediaPlayer::NoError)
            return;
        // A lecture that failed has nothing to pause or stop until a lecture is chosen again.
        failed_ = true;
        updateControls();
        const QUrl failed = player_->source();
        QMetaObject::invokeMethod(this, [this, failed, why] { playerFailed(failed, why); }, Qt::QueuedConnection);
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &VideoWindow::updateControls);
    connect(player_, &QMediaPlayer::sourceChanged, this, &VideoWindow::updateControls);
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        position_->setRange(0, static_cast<int>(duration));
        updateControls();
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!position_->isSliderDown())
            position_->setValue(static_cast<int>(position));
        updateControls();
    });
}

void VideoWindow::setUpPlayerControls()
{
    play_->setObjectName("cmdPlay");
    play_->setAutoDefault(false);
    connect(play_, &QPushButton::clicked, this, [this] {
        if (player_->playbackState() == QMediaPlayer::PlayingState)
            player_->pause();
        else
            player_->play();
    });
    stop_->setObjectName("cmdStop");
    stop_->setAutoDefault(false);
    connect(stop_, &QPushButton::clicked, player_, &QMediaPlayer::stop);
    position_->setObjectName("sldPosition");
    position_->setAccessibleName(QStringLiteral("Position in the lecture"));
    connect(position_, &QSlider::sliderMoved, player_, [this](int position) { player_->setPosition(position); });
    time_->setObjectName("lblTime");
    time_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000:00 / 000:00")));
    time_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void VideoWindow::layOut(QGroupBox* sources, QGroupBox* lectures)
{
    auto* choices = new QVBoxLayout;
    choices->addWidget(sources);
    choices->addWidget(lectures);
    choices->addStretch();
    auto* controls = new QHBoxLayout;
    controls->addWidget(play_);
    controls->addWidget(stop_);
    controls->addWidget(position_, 1);
    controls->addWidget(time_);
    // A dark screen framed where the lecture will show, so the window reads as a player before
    // anything plays.
    auto* screenFrame = new QFrame(this);
    screenFrame->setObjectName("fraScreen");
    screenFrame->setFrameShape(QFrame::StyledPanel);
    screenFrame->setAutoFillBackground(true);
    QPalette dark = screenFrame->palette();
    dark.setColor(QPalette::Window, Qt::black);
    screenFrame->setPalette(dark);
    auto* screenLayout = new QVBoxLayout(screenFrame);
    screenLayout->setContentsMargins(1, 1, 1, 1);
    video_->setParent(screenFrame);
    screenLayout->addWidget(video_);
    status_->setObjectName("lblStatus");
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    // Room for two lines from the start, so a message never resizes the window.
    status_->setMinimumHeight(2 * status_->fontMetrics().lineSpacing());
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* screen = new QVBoxLayout;
    screen->addWidget(screenFrame);
    screen->addLayout(controls);
    screen->addWidget(status_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(screen);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void VideoWindow::activated()
{
    source_ = ReadVideoSource(paths_.VideoSourcePath);
    showSource(source_);
    if (source_ == StreamFromInternet || source_ == PlayFromHardDisk)
        status_->clear();
}

void VideoWindow::showSource(std::optional<std::int16_t> source)
{
    // An exclusive group refuses to clear its checked button, so exclusivity is lifted while
    // the options are set.
    options_->setExclusive(false);
    for (QAbstractButton* option : options_->buttons())
        option->setChecked(source.has_value() && options_->id(option) == *source);
    options_->setExclusive(true);
}

void VideoWindow::chooseSource(int index)
{
    const auto source = static_cast<std::int16_t>(index);
    QString why;
    if (!WriteVideoSource(paths_.VideoSourcePath, source, &why)) {
        // The choice would be lost at the next activation, so it is not shown as made.
        showSource(source_);
        showMessage(QStringLiteral("The video source could not be saved in\n%1\n\n%2")
                        .arg(QDir::toNativeSeparators(paths_.VideoSourcePath), why));
        return;
    }
    source_ = source;
    status_->clear();
}

void VideoWindow::playLecture(const Lecture& lecture)
{
    const QUrl address = LectureAddress(paths_, source_, lecture, baseAddress_);
    if (address.isEmpty()) {
        // No source chosen: nothing plays, and the window says what to choose, where.
        status_->setText(QStringLiteral("Choose a video source first: \"%1\" or \"%2\".")
                             .arg(QString::fromUtf8(SourceCaptions[0]), QString::fromUtf8(SourceCaptions[1])));
        options_->button(0)->setFocus(Qt::OtherFocusReason);
        return;
    }
    status_->clear();
    if (address.isLocalFile() && !QFileInfo(address.toLocalFile()).isFile()) {
        showMessage(QStringLiteral("The lecture \"%1\" is not on this computer:\n%2\n\n"
                                   "Choose \"Stream Videos directly from the Internet\" to watch it.")
                        .arg(QString::fromUtf8(lecture.caption), AddressForUser(address)));
        return;
    }
    // A lecture button starts its lecture from the beginning, also when it was chosen before
    // (and perhaps failed): the player ignores a source it already has.
    player_->setSource(QUrl());
    failed_ = false;
    player_->setSource(address);
    player_->play();
}

void VideoWindow::playerFailed(const QUrl& address, const QString& why)
{
    QString text = QStringLiteral("The lecture could not be played:\n%1").arg(AddressForUser(address));
    if (!why.isEmpty())
        text += QStringLiteral("\n\n") + why;
    showMessage(text);
}

void VideoWindow::showMessage(const QString& text)
{
    // One failure can reach the player more than once; one box says it.
    if (messageShown_)
        return;
    const QScopedValueRollback<bool> shown(messageShown_, true);
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName("VideoMessage");
    box.exec();
}

void VideoWindow::updateControls()
{
    const bool loaded = !player_->source().isEmpty() && !failed_;
    const bool playing = player_->playbackState() == QMediaPlayer::PlayingState;
    play_->setText(playing ? QStringLiteral("&Pause") : QStringLiteral("&Play"));
    play_->setEnabled(loaded);
    stop_->setEnabled(loaded && player_->playbackState() != QMediaPlayer::StoppedState);
    position_->setEnabled(loaded && player_->isSeekable());
    time_->setText(loaded ? ClockTime(player_->position()) + QStringLiteral(" / ") + ClockTime(player_->duration())
                          : QString());
}

void VideoWindow::closeEvent(QCloseEvent* event)
{
    player_->stop();
    QWidget::closeEvent(event);
}

} // namespace revora
