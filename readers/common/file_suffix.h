#pragma once
// File name suffixes (".a", ".ipcf") compared as Windows compares names, ignoring
// case. Readers ask this of every file a project lists, so the usual case, an
// ASCII name, is compared here without a call into Qt.

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>

/// Whether name ends with suffix (ASCII) in any case, as
/// QStringView::endsWith(suffix, Qt::CaseInsensitive) tells.
inline bool hasFileSuffix(QStringView name, QLatin1StringView suffix) {
  if (name.size() < suffix.size()) return false;
  const QStringView end = name.last(suffix.size());
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; };
  for (qsizetype i = 0; i < end.size(); ++i) {
    const char16_t c = end[i].unicode();
    // Some other characters fold to ASCII letters (the Kelvin sign to "k"): Qt knows which.
    if (c >= 0x80) return end.compare(suffix, Qt::CaseInsensitive) == 0;
    if (lower(c) != lower(suffix[i].unicode())) return false;
  }
  return true;
}

/// The same for a name in UTF-8. Where its last bytes are ASCII they are its last
/// characters; otherwise it is decoded.
inline bool hasFileSuffix(QByteArrayView name, QLatin1StringView suffix) {
  if (name.size() < suffix.size()) return false;
  const QByteArrayView end = name.last(suffix.size());
  for (const char c : end)
    if (static_cast<unsigned char>(c) >= 0x80) return hasFileSuffix(QString::fromUtf8(name), suffix);
  return QLatin1StringView(end).compare(suffix, Qt::CaseInsensitive) == 0;
}
