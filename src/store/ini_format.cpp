#include "store/ini_format.h"

#include <QDataStream>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <map>
#include <optional>

namespace gribo::store {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isHex(char16_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
int octValue(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

// ---- Reading -------------------------------------------------------------------

// One logical line of the file: its text, and where its first unquoted "=" lies (-1:
// none). Lines end at an unquoted line break; a backslash carries the next character
// (a line break included) into the line; a ";" outside quotes starts a comment.
struct Line {
    QByteArrayView text;
    qsizetype equals = -1;
};

std::optional<Line> nextLine(QByteArrayView data, qsizetype& pos) {
    const qsizetype n = data.size();
    for (;;) {
        while (pos < n && isSpace(data[pos])) ++pos;
        if (pos >= n) return std::nullopt;
        if (data[pos] != ';') break;
        while (pos < n && data[pos] != '\n' && data[pos] != '\r') ++pos;  // a comment line
    }
    const qsizetype start = pos;
    qsizetype equals = -1;
    bool quoted = false;
    while (pos < n) {
        const char c = data[pos];
        if ((c == '\n' || c == '\r' || c == ';') && !quoted) break;
        ++pos;
        if (c == '=' && !quoted && equals < 0) {
            equals = pos - 1 - start;
        } else if (c == '\\' && pos < n) {
            const char next = data[pos++];
            if (pos < n && ((next == '\n' && data[pos] == '\r') || (next == '\r' && data[pos] == '\n'))) ++pos;
        } else if (c == '"') {
            quoted = !quoted;
        }
    }
    return Line{data.sliced(start, pos - start), equals};
}

// A section or key name: "%E9" and "%U20AC" stand for one character, "\" for "/".
QString unescapedName(QByteArrayView raw) {
    const QString text = QString::fromUtf8(raw);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text[i + 1] == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= text.size() ? text.mid(first, digits).toUShort(&ok, 16) : 0;
            if (ok) {
                out += QChar(code);
                i = first + digits;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

void chopTrailingBlanks(QString& s, qsizetype limit) {
    while (s.size() > limit && (s.back() == u' ' || s.back() == u'\t')) s.chop(1);
}

// The text after "=": quotes, backslash escapes and, outside quotes, commas that make a
// list. Returns the list when there is a comma, else the single string.
struct RawValue {
    QString text;
    QStringList list;
    bool isList = false;
};

RawValue unescapedValue(QByteArrayView s) {
    RawValue v;
    QString& cur = v.text;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    bool inQuotes = false, quoted = false;
    const qsizetype n = s.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    };
    skipBlanks();
    qsizetype keep = cur.size();  // blanks before this stay: they came from an escape or quotes
    while (i < n) {
        const char c = s[i];
        if (c == '\\') {
            if (++i >= n) {
                keep = cur.size();  // a backslash that ends the text carries nothing
                break;
            }
            const char e = s[i++];
            static const std::map<char, char> simple = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                                        {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                                        {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            if (const auto it = simple.find(e); it != simple.end()) {
                cur += QLatin1Char(it->second);
            } else if (e == 'x' || octValue(e) >= 0) {
                const bool hex = e == 'x';
                if (hex && (i >= n || !isHex(static_cast<char16_t>(s[i])))) {
                    keep = cur.size();
                    continue;
                }
                char16_t code = hex ? 0 : static_cast<char16_t>(octValue(e));
                for (int d; i < n && (d = hex ? hexValue(s[i]) : octValue(s[i])) >= 0; ++i) {
                    code = static_cast<char16_t>((code << (hex ? 4 : 3)) + d);
                }
                cur += QChar(code);
            } else if ((e == '\n' || e == '\r') && i < n && (s[i] == '\n' || s[i] == '\r') && s[i] != e) {
                ++i;  // a line carried on past its break
            }
            keep = cur.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
            keep = cur.size();
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopTrailingBlanks(cur, keep);
            v.isList = true;
            v.list.append(cur);
            cur.clear();
            quoted = false;
            ++i;
            skipBlanks();
            keep = 0;
        } else {
            qsizetype j = i + 1;
            while (j < n && s[j] != '\\' && s[j] != '"' && s[j] != ',') ++j;
            cur += fromUtf8(s.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) chopTrailingBlanks(cur, keep);
    if (v.isList) v.list.append(cur);
    return v;
}

// "@Rect(1 2 3 4)" -> {"1", "2", "3", "4"}. A ")" before the last one ends an argument
// without starting the next one afresh, as QSettings reads it: "@Size(1 2)x)" has three.
QStringList argumentsOf(const QString& s, qsizetype open) {
    QStringList out;
    QString item;
    for (qsizetype i = open + 1; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u')') {
            out.append(item);
        } else if (c == u' ') {
            out.append(item);
            item.clear();
        } else {
            item += c;
        }
    }
    return out;
}

QVariant valueOf(const QString& s) {
    if (!s.startsWith(u'@')) return s;
    if (s.endsWith(u')')) {
        if (s.startsWith(QLatin1String("@ByteArray("))) return s.mid(11, s.size() - 12).toLatin1();
        if (s.startsWith(QLatin1String("@String("))) return s.mid(8, s.size() - 9);
        if (s.startsWith(QLatin1String("@DateTime(")) || s.startsWith(QLatin1String("@Variant("))) {
            return QVariant::fromValue(StreamedValue{s});
        }
        if (s.startsWith(QLatin1String("@Rect("))) {
            const QStringList a = argumentsOf(s, 5);
            if (a.size() == 4) return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
        } else if (s.startsWith(QLatin1String("@Size("))) {
            const QStringList a = argumentsOf(s, 5);
            if (a.size() == 2) return QSize(a[0].toInt(), a[1].toInt());
        } else if (s.startsWith(QLatin1String("@Point("))) {
            const QStringList a = argumentsOf(s, 6);
            if (a.size() == 2) return QPoint(a[0].toInt(), a[1].toInt());
        } else if (s == QLatin1String("@Invalid()")) {
            return {};
        }
    }
    if (s.startsWith(QLatin1String("@@"))) return s.mid(1);
    return s;
}

QVariant listValueOf(const QStringList& items) {
    QStringList strings = items;
    for (QString& item : strings) {
        if (!item.startsWith(u'@')) continue;
        if (item.size() < 2 || item[1] != u'@') {  // an item of another type: a list of variants
            QVariantList variants;
            for (const QString& each : items) variants.append(valueOf(each));
            return variants;
        }
        item.remove(0, 1);
    }
    return strings;
}

// ---- Writing -------------------------------------------------------------------

void appendName(const QString& name, QByteArray& out) {
    static const char digits[] = "0123456789ABCDEF";
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
                   c == '.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += digits[(c >> shift) & 0xF];
        }
    }
}

QString textOf(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<StreamedValue>()) return v.value<StreamedValue>().text;
    switch (v.metaType().id()) {
        case QMetaType::UnknownType:
            return QStringLiteral("@Invalid()");
        case QMetaType::QByteArray:
            return QLatin1String("@ByteArray(") + QLatin1String(v.toByteArray()) + u')';
        case QMetaType::QString:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Bool:
        case QMetaType::Float:
        case QMetaType::Double: {
            const QString s = v.toString();
            if (s.contains(QChar::Null)) return QLatin1String("@String(") + s + u')';
            return s.startsWith(u'@') ? u'@' + s : s;
        }
        case QMetaType::QRect: {
            const QRect r = v.toRect();
            return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
        }
        case QMetaType::QSize:
            return QString::asprintf("@Size(%d %d)", v.toSize().width(), v.toSize().height());
        case QMetaType::QPoint:
            return QString::asprintf("@Point(%d %d)", v.toPoint().x(), v.toPoint().y());
        default: {
            const bool dateTime = v.metaType().id() == QMetaType::QDateTime;
            QByteArray bytes;
            {
                QDataStream out(&bytes, QIODevice::WriteOnly);
                out.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
                out << v;
            }
            return QLatin1String(dateTime ? "@DateTime(" : "@Variant(") + QLatin1String(bytes) + u')';
        }
    }
}

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A surrogate without its other half, which UTF-8 cannot carry.
bool loneSurrogateAt(const QString& s, qsizetype i) {
    const char16_t c = s[i].unicode();
    if (isHigh(c)) return i + 1 >= s.size() || !isLow(s[i + 1].unicode());
    if (isLow(c)) return i == 0 || !isHigh(s[i - 1].unicode());
    return false;
}

// Writes `s` as QSettings does, except where QSettings' own reader would not read back
// what it wrote: a lone surrogate, and a U+FEFF beginning the first run of text the
// line holds as it is (the reader decodes that run with a byte order mark skipped), are
// written as escapes instead. `plainYet`: whether the line holds text as it is already.
void appendText(const QString& s, QByteArray& out, bool& plainYet) {
    const bool binary = s.startsWith(QLatin1String("@ByteArray(")) || s.startsWith(QLatin1String("@Variant(")) ||
                        s.startsWith(QLatin1String("@DateTime("));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool hexFollows = false;  // a hex digit right after "\x.." would be read as part of it
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar qc = s[i];
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (hexFollows && isHex(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        hexFollows = false;
        switch (c) {
            case 0:
                out += "\\0";
                hexFollows = true;
                break;
            case '\a':
                out += "\\a";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\v':
                out += "\\v";
                break;
            case '"':
            case '\\':
                out += '\\';
                out += static_cast<char>(c);
                break;
            default:
                if (c <= 0x1F || (c >= 0x7F && binary) || (!binary && loneSurrogateAt(s, i)) ||
                    (!binary && c == 0xFEFF && !plainYet)) {
                    out += "\\x" + QByteArray::number(c, 16);
                    hexFollows = true;
                } else if (binary) {
                    out += static_cast<char>(c);
                    plainYet = true;
                } else {
                    out += QByteArray(toUtf8(qc));
                    plainYet = true;
                }
        }
    }
    if (needsQuotes || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendValue(const QVariant& v, QByteArray& out) {
    const int type = v.metaType().id();
    if (type == QMetaType::QStringList || (type == QMetaType::QVariantList && v.toList().size() != 1)) {
        const QVariantList items = v.toList();
        if (items.isEmpty()) {
            out += "@Invalid()";
            return;
        }
        bool plainYet = false;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0) out += ", ";
            appendText(textOf(items[i]), out, plainYet);
        }
        return;
    }
    bool plainYet = false;
    appendText(textOf(v), out, plainYet);
}

}  // namespace

IniRead parseIni(QByteArrayView text) {
    IniRead read;
    if (text.startsWith("\xef\xbb\xbf")) text = text.sliced(3);
    QString section;  // "" or "name/"
    qsizetype pos = 0;
    while (const std::optional<Line> line = nextLine(text, pos)) {
        const QByteArrayView t = line->text;
        if (t.startsWith('[')) {
            qsizetype close = t.indexOf(']');
            if (close < 0) {
                read.wellFormed = false;
                close = t.size();
            }
            const QByteArrayView name = t.sliced(1, close - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                section.clear();
                continue;
            }
            section = name.compare("%general", Qt::CaseInsensitive) == 0 ? QString::fromLatin1(name.sliced(1))
                                                                         : unescapedName(name);
            section += u'/';
            continue;
        }
        if (line->equals < 0) {
            read.wellFormed = false;
            continue;
        }
        const QString key = section + unescapedName(t.first(line->equals).trimmed());
        const RawValue raw = unescapedValue(t.sliced(line->equals + 1));
        read.values.insert(key, raw.isList ? listValueOf(raw.list) : valueOf(raw.text));
    }
    return read;
}

QString iniKey(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + u'/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

std::string textAt(const IniValues& values, const QString& key) {
    const QVariant value = values.value(key);
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QVariantList) {
        return value.toString().toStdString();
    }
    // A list of texts, or of texts and other values (an item QSettings wrote as one).
    QStringList items;
    for (const QVariant& item : value.toList()) items << item.toString();
    return items.join(", ").toStdString();
}

QByteArray iniText(const IniValues& values) {
    // Sections in the order of their names, then keys in the order of theirs (the
    // order of UTF-16 code units, as QString compares them).
    std::map<QString, std::map<QString, QVariant>> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        sections[section][slash < 0 ? it.key() : it.key().mid(slash + 1)] = it.value();
    }
    QByteArray out;
    for (const auto& [section, keys] : sections) {
        if (!out.isEmpty()) out += '\n';
        QByteArray header;
        appendName(section, header);
        if (header.isEmpty()) {
            header = "[General]";
        } else if (header.compare("general", Qt::CaseInsensitive) == 0) {
            header = "[%General]";
        } else {
            header = '[' + header + ']';
        }
        out += header + '\n';
        for (const auto& [key, value] : keys) {
            appendName(key, out);
            out += '=';
            appendValue(value, out);
            out += '\n';
        }
    }
    return out;
}

}  // namespace gribo::store
