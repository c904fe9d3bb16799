#include "widgets/text_codec.h"

#include "base/cp1252.h"

#include <QFile>
#include <QStringDecoder>

namespace tarvik {

namespace {

bool IsValidUtf8(std::string_view bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  return !decoder.hasError();
}

} // namespace

QString ToQString(std::string_view cp1252) {
  QString out;
  out.resize(qsizetype(cp1252.size()));
  QChar* dst = out.data();
  for (const char c : cp1252)
    *dst++ = QChar(Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string FromQString(const QString& text) {
  std::string out;
  out.reserve(size_t(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t ch = text.at(i).unicode();
    if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
      ++i;
    }
    const int byte = UnicodeToCp1252(ch);
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return out;
}

QString PathToQString(std::string_view path) {
  if (IsValidUtf8(path))
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
  return ToQString(path);
}

std::string PathFromQString(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), size_t(bytes.size()));
}

} // namespace tarvik
