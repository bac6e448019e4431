// Draws the slides of one video lecture and writes what is to be said over each:
//     revora-slides LECTURE.txt OUTDIR
// gives OUTDIR/slide-01.png (1280 x 720) and OUTDIR/slide-01.txt (its narration), and so on.
// scripts/lectures speaks the narrations and joins the slides into the lecture's video.
//
// The lecture format (docs/lectures/README.md):
//     ; a comment
//     # Lecture title          once, before the first slide
//     ## Slide title           starts a slide
//     - bullet line            drawn on the slide
//     narration                any other line; spoken; a blank line starts a new paragraph
// Every slide needs a title and narration: a slide without narration would be a silent gap
// in the video, so a lecture with one is refused, like an empty or unreadable one, with one
// line that names the file, and nothing is written.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The lecture's slides are drawn for this size; the video is encoded at it or at half of it.
constexpr int kWidth = 1280;
constexpr int kHeight = 720;
// More bullets than this no longer fit at a size a viewer reads from across a room.
constexpr int kMaxBullets = 6;

const QColor kNavy(0x12, 0x3a, 0x6b); // the program icon's colours
const QColor kGold(0xe6, 0xb8, 0x4a);
const QColor kPaper(0xf7, 0xf6, 0xf1);
const QColor kInk(0x22, 0x2a, 0x33);
const QColor kMuted(0x6b, 0x73, 0x7c);

const QString kProgramName = QStringLiteral("Revora 2016");
const QString kFontFamily = QStringLiteral("DejaVu Sans");

struct Slide {
    int line; // of its "## " heading, for messages
    QString title;
    QStringList bullets;
    QStringList paragraphs; // the narration, one string per paragraph
};

struct Lecture {
    QString title;
    std::vector<Slide> slides;
};

struct ParseResult {
    std::optional<Lecture> lecture;
    QString error; // "LINE: what is wrong", or " what is wrong" with the whole file
};

ParseResult Fail(QString error)
{
    return {std::nullopt, std::move(error)};
}

QString NoNarration(const Slide& slide)
{
    return QStringLiteral("%1: the slide \"%2\" has no narration").arg(slide.line).arg(slide.title);
}

ParseResult ParseLecture(const QString& text)
{
    Lecture lecture;
    bool paragraphOpen = false; // a narration line continues the paragraph above it
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString where = QString::number(i + 1) + QStringLiteral(": ");
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char(';')))
            continue;
        if (line.isEmpty()) {
            paragraphOpen = false;
            continue;
        }
        paragraphOpen = paragraphOpen && !line.startsWith(QLatin1Char('#'))
                        && !line.startsWith(QLatin1String("- "));
        if (line.startsWith(QLatin1String("## "))) {
            if (lecture.title.isEmpty())
                return Fail(where + QStringLiteral("a slide before the lecture title (# Title)"));
            if (!lecture.slides.empty() && lecture.slides.back().paragraphs.isEmpty())
                return Fail(NoNarration(lecture.slides.back()));
            const QString title = line.mid(3).trimmed();
            if (title.isEmpty())
                return Fail(where + QStringLiteral("a slide without a title"));
            lecture.slides.push_back({i + 1, title, {}, {}});
        } else if (line.startsWith(QLatin1String("# "))) {
            if (!lecture.title.isEmpty())
                return Fail(where + QStringLiteral("a second lecture title"));
            lecture.title = line.mid(2).trimmed();
            if (lecture.title.isEmpty())
                return Fail(where + QStringLiteral("an empty lecture title"));
        } else if (line.startsWith(QLatin1Char('#'))) {
            return Fail(where + QStringLiteral("a heading must be '# Lecture title' or '## Slide title'"));
        } else if (lecture.slides.empty()) {
            return Fail(where + QStringLiteral("text before the first slide (## Title)"));
        } else if (line.startsWith(QLatin1String("- "))) {
            Slide& slide = lecture.slides.back();
            if (slide.bullets.size() == kMaxBullets)
                return Fail(where + QStringLiteral("more than %1 bullet lines on one slide").arg(kMaxBullets));
            slide.bullets.push_back(line.mid(2).trimmed());
        } else {
            QStringList& paragraphs = lecture.slides.back().paragraphs;
            if (paragraphOpen)
                paragraphs.back() += QLatin1Char(' ') + line;
            else
                paragraphs.push_back(line);
            paragraphOpen = true;
        }
    }
    if (lecture.slides.empty())
        return Fail(QStringLiteral(" no slides (a lecture needs '# Title' and at least one '## Slide')"));
    if (lecture.slides.back().paragraphs.isEmpty())
        return Fail(NoNarration(lecture.slides.back()));
    return {std::move(lecture), {}};
}

QFont Font(int pixelSize, bool bold = false)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The program's icon, when Qt's SVG image plugin is installed; without it the slides go
// without the icon rather than fail.
QImage Icon(int size)
{
    QImageReader reader(QStringLiteral(REVORA_ICON_SVG));
    reader.setScaledSize(QSize(size, size));
    return reader.read();
}

// An amount such as "R 46 505" is read as one word: a line may wrap before or after it, never
// inside it.
QString KeepAmountsWhole(QString line)
{
    static const QRegularExpression amountBlank(QStringLiteral("(?<=\\bR) (?=\\d)|(?<=\\d) (?=\\d{3}\\b)"));
    return line.replace(amountBlank, QStringLiteral("\u00a0"));
}

// Draws the bullets into area, as large as fits: long lines wrap, and the size steps down
// until every bullet fits.
void DrawBullets(QPainter& painter, const QStringList& lines, const QRect& area,
                 const QColor& text, const QColor& marker)
{
    if (lines.isEmpty())
        return;
    QStringList bullets;
    for (const QString& line : lines)
        bullets.push_back(KeepAmountsWhole(line));
    constexpr int kIndent = 44;
    for (int size = 36;; size -= 2) {
        const QFont font = Font(size);
        const QFontMetrics metrics(font);
        const int gap = size * 2 / 3;
        const int textWidth = area.width() - kIndent;
        std::vector<QRect> boxes;
        int height = 0;
        for (const QString& bullet : bullets) {
            const QRect box = metrics.boundingRect(QRect(0, 0, textWidth, 10000),
                                                   Qt::TextWordWrap, bullet);
            boxes.push_back(box);
            height += box.height() + gap;
        }
        if (height - gap > area.height() && size > 18)
            continue;
        painter.setFont(font);
        int y = area.top();
        for (qsizetype i = 0; i < bullets.size(); ++i) {
            const int dot = size * 2 / 5;
            const int dotY = y + metrics.ascent() / 2 + metrics.descent() / 2 - dot / 2 + 2;
            painter.setPen(Qt::NoPen);
            painter.setBrush(marker);
            painter.drawRoundedRect(QRect(area.left() + 6, dotY, dot, dot), 3, 3);
            const QRect& box = boxes[static_cast<std::size_t>(i)];
            painter.setPen(text);
            painter.drawText(QRect(area.left() + kIndent, y, textWidth, box.height()),
                             Qt::TextWordWrap, bullets[i]);
            y += box.height() + gap;
        }
        return;
    }
}

void DrawFooter(QPainter& painter, const Lecture& lecture, int number, const QColor& rule,
                const QColor& text)
{
    const int top = kHeight - 58;
    painter.setPen(QPen(rule, 2));
    painter.drawLine(60, top, kWidth - 60, top);
    painter.setPen(text);
    painter.setFont(Font(20));
    const QRect band(60, top + 8, kWidth - 120, 42);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter,
                     kProgramName + QStringLiteral("  \u00b7  ") + lecture.title);
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(number).arg(lecture.slides.size()));
}

// The first slide opens the lecture: the icon, the lecture's title and the slide's own.
void DrawOpeningSlide(QPainter& painter, const Lecture& lecture, const Slide& slide)
{
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kNavy.darker(140));
    painter.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    painter.fillRect(QRect(0, 0, kWidth, 10), kGold);

    const QImage icon = Icon(120);
    if (!icon.isNull())
        painter.drawImage(QPoint(80, 80), icon);
    painter.setPen(kGold);
    painter.setFont(Font(28, true));
    painter.drawText(QRect(icon.isNull() ? 80 : 230, 80, 900, 120), Qt::AlignLeft | Qt::AlignVCenter,
                     kProgramName);

    painter.setPen(Qt::white);
    painter.setFont(Font(64, true));
    painter.drawText(QRect(80, 230, kWidth - 160, 90), Qt::AlignLeft | Qt::AlignVCenter, lecture.title);
    painter.setPen(kGold);
    painter.setFont(Font(32));
    painter.drawText(QRect(80, 320, kWidth - 160, 56), Qt::AlignLeft | Qt::AlignVCenter, slide.title);
    DrawBullets(painter, slide.bullets, QRect(80, 410, kWidth - 160, kHeight - 410 - 80),
                QColor(0xe8, 0xee, 0xf5), kGold);
    DrawFooter(painter, lecture, 1, kGold.darker(120), QColor(0xc8, 0xd3, 0xe0));
}

void DrawSlide(QPainter& painter, const Lecture& lecture, const Slide& slide, int number)
{
    painter.fillRect(QRect(0, 0, kWidth, kHeight), kPaper);
    constexpr int kBand = 128;
    painter.fillRect(QRect(0, 0, kWidth, kBand), kNavy);
    painter.fillRect(QRect(0, kBand, kWidth, 6), kGold);

    int titleRight = kWidth - 60;
    static const QImage icon = Icon(72); // the same on every slide
    if (!icon.isNull()) {
        painter.drawImage(QPoint(kWidth - 60 - 72, (kBand - 72) / 2), icon);
        titleRight -= 72 + 24;
    }
    painter.setPen(Qt::white);
    QFont titleFont = Font(46, true);
    // A long title shrinks to stay on one line of the band.
    while (QFontMetrics(titleFont).horizontalAdvance(slide.title) > titleRight - 60
           && titleFont.pixelSize() > 26)
        titleFont.setPixelSize(titleFont.pixelSize() - 2);
    painter.setFont(titleFont);
    painter.drawText(QRect(60, 0, titleRight - 60, kBand), Qt::AlignLeft | Qt::AlignVCenter, slide.title);

    DrawBullets(painter, slide.bullets, QRect(72, kBand + 50, kWidth - 144, kHeight - kBand - 50 - 84),
                kInk, kGold.darker(110));
    DrawFooter(painter, lecture, number, QColor(0xd6, 0xd9, 0xd2), kMuted);
}

bool WriteNarration(const QString& path, const Slide& slide)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write((slide.paragraphs.join(QStringLiteral("\n\n")) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

int Refuse(const QString& line)
{
    std::fprintf(stderr, "revora-slides: %s\n", qUtf8Printable(line));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: revora-slides LECTURE.txt OUTDIR\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return Refuse(source + QStringLiteral(": cannot be read: ") + file.errorString());
    const ParseResult parsed = ParseLecture(QString::fromUtf8(file.readAll()));
    if (!parsed.lecture)
        return Refuse(source + QStringLiteral(":") + parsed.error);
    const Lecture& lecture = *parsed.lecture;

    // Only now the windowing side, so that a refusal above stays the one line it is.
    // The slides are drawn into images; no display is needed, nor wanted on a build machine.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QDir dir(outDir);
    if (!dir.mkpath(QStringLiteral(".")))
        return Refuse(outDir + QStringLiteral(": cannot make the folder"));
    // Slides left by an earlier, longer version of the lecture would end up in its video.
    for (const QString& old : dir.entryList({QStringLiteral("slide-*.png"), QStringLiteral("slide-*.txt")}, QDir::Files))
        dir.remove(old);

    for (std::size_t i = 0; i < lecture.slides.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const QString stem = dir.filePath(QStringLiteral("slide-%1").arg(number, 2, 10, QLatin1Char('0')));
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            if (number == 1)
                DrawOpeningSlide(painter, lecture, lecture.slides[i]);
            else
                DrawSlide(painter, lecture, lecture.slides[i], number);
        }
        if (!image.save(stem + QStringLiteral(".png")))
            return Refuse(stem + QStringLiteral(".png: cannot be written"));
        if (!WriteNarration(stem + QStringLiteral(".txt"), lecture.slides[i]))
            return Refuse(stem + QStringLiteral(".txt: cannot be written"));
    }
    return 0;
}
