#include "shellcore/mdlcommon_text.h"

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"
#include "platform/vb/strings.h"

#include <QRegularExpression>
#include <algorithm>
#include <string>

namespace mdlCommon {

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
}

} // namespace

QString TrimNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

int16_t ReadIniString(const QString &section, const QString &key, QString &value, const QString &filePath)
{
    int copied = 0;
    value = TrimNull(veltra::profile::getString(section, key, QString(), filePath, 256, &copied));
    return static_cast<int16_t>(copied);
}

int16_t SplitQuoted(const QString &line, std::vector<QString> &fields, int16_t resizeFlag,
    const QString &quote, const QString &separator)
{
    const bool resize = resizeFlag != 0;
    const bool hasQuote = !quote.isEmpty();
    const bool hasSeparator = !separator.isEmpty();
    const QChar q = hasQuote ? quote[0] : QChar();
    const QChar sep = hasSeparator ? separator[0] : QChar();

    if (resize)
        fields.assign(1, QString());
    else
        for (QString &f : fields)
            f.clear();

    int32_t j = 0;
    auto append = [&](QChar c) {
        if (j >= int32_t(fields.size())) {
            if (!resize)
                throw veltra::vb::SubscriptOutOfRange("Subscript out of range: field " + std::to_string(j)
                    + " of a " + std::to_string(fields.size()) + "-element array");
            fields.resize(j + 1);
        }
        fields[j] += c;
    };
    auto atSeparator = [&](qsizetype i) { return hasSeparator && line[i] == sep; };

    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        if (!hasQuote || line[i] != q) {
            while (i < n && !atSeparator(i))
                append(line[i++]);
        } else {
            ++i; // the opening quote
            bool quoting = true;
            while (i < n) {
                if (quoting) {
                    if (line[i] != q) {
                        append(line[i++]);
                    } else if (i + 1 < n && line[i + 1] == q) {
                        append(q);
                        i += 2;
                    } else {
                        quoting = false;
                        ++i;
                    }
                } else {
                    if (atSeparator(i))
                        break;
                    append(line[i++]);
                }
            }
        }
        if (i < n && atSeparator(i)) {
            ++j;
            if (resize)
                fields.resize(j + 1);
            ++i;
        }
    }
    return veltra::vb::cInt(double(j) + 1);
}

int32_t SplitComma(QString &text, std::vector<QString> &fields)
{
    text = veltra::vb::trim(text);
    if (text.isEmpty())
        return 0;
    fields.clear();
    // Each field taken as one piece of the text: value files have many lines.
    const QString zero = QStringLiteral("0");
    const qsizetype n = text.size();
    const QChar *data = text.constData();
    qsizetype start = 0;
    for (qsizetype k = 0; k <= n; ++k) {
        if (k == n || data[k] == u',' || data[k] == QChar(0xFF0C)) {
            fields.push_back(k == start ? zero : text.mid(start, k - start));
            start = k + 1;
        }
    }
    return static_cast<int32_t>(fields.size());
}

QString StripQuotes(const QString &text)
{
    QString out;
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        if (text[k] == u'"' && (k == 0 || k == n - 1))
            continue;
        out += text[k];
    }
    return out;
}

QString GetFolderPath(const QString &path)
{
    const qsizetype sep = lastSeparator(path);
    return sep < 0 ? QString() : path.left(sep + 1);
}

QString AddPathSep(const QString &path)
{
    if (!path.isEmpty() && isSeparator(path.back()))
        return path;
    const bool slashStyle = path.contains(u'/') && !path.contains(u'\\');
    return path + (slashStyle ? u'/' : u'\\');
}

bool FileExists(const QString &path)
{
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?'))
        return false;
    return veltra::fs::fileExists(path);
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && veltra::fs::folderExists(path);
}

} // namespace mdlCommon
