#pragma once
// The video window's data: where lectures come from (the source preference kept in
// "VideoSource.Dll"), the three lectures, and the address a lecture plays from.

#include <QString>
#include <QUrl>
#include <array>
#include <cstdint>
#include <optional>

#include "AppFolders.h"

namespace revora {

// The two sources a user can choose; the file holds the number.
inline constexpr std::int16_t StreamFromInternet = 0;
inline constexpr std::int16_t PlayFromHardDisk = 1;

// The source kept in the file, or nothing when the file is missing, unreadable or holds
// anything but a 16-bit whole number (surrounding blanks and line ends are allowed, as
// older copies of the file end in one). A number other than the two sources is returned as
// it stands; it selects no source.
std::optional<std::int16_t> ReadVideoSource(const QString& path);

// Replaces the file whole with the source, so a crash or a full disk never leaves half a file
// and an unwritable folder leaves the old file as it was. On failure returns false and, when
// asked, says why.
bool WriteVideoSource(const QString& path, std::int16_t source, QString* why = nullptr);

struct Lecture {
    int index;
    const char* caption;
    const char* fileName;
};

inline constexpr std::array<Lecture, 3> Lectures{{
    {0, "2016 Company Car", "2016RVCoCar.wmv"},
    {1, "2016 Travel Claims", "2016RVTA.wmv"},
    {2, "2016 Fringe Benefits, car etc.", "CarFB.wmv"},
}};

// The web address under which the streamed lectures sit, "<base>/<file name>". The packager
// sets it with the CMake cache variable REVORA_LECTURE_BASE_ADDRESS (default
// "https://www.revora.co.za/lectures"); a trailing slash is ignored.
QString LectureBaseAddress();

// Where a lecture plays from for a source: the file among the installation files for
// PlayFromHardDisk, the address under the base address for StreamFromInternet, and an empty
// address for no source (or a number that is not a source), when a lecture button does nothing.
QUrl LectureAddress(const AppPaths& paths, std::optional<std::int16_t> source, const Lecture& lecture,
                    const QString& baseAddress = LectureBaseAddress());

} // namespace revora
