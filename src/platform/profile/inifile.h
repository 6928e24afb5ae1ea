#pragma once
// One parsed private-profile file: its lines as read, and an index of its
// sections and keys following the Windows profile rules.
//
// Every line keeps its original bytes and line end, so an edit rewrites only
// the lines it touches. Lookups use the first section and, inside it, the
// first key whose name matches without case. Lines before the first section,
// comments (';') and lines without '=' are kept but are no keys.
// A file read as UTF-8 or UTF-16 is written back whole in CP932, since CP932
// lines cannot sit beside lines of another encoding.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace veltra::profile {

class IniFile
{
public:
    static IniFile parse(const QByteArray &bytes);

    // The value as the profile read hands it over (trimmed, matching quotes
    // removed); nullopt when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;
    QStringList sectionNames() const;
    QStringList keyNames(const QString &section) const;
    std::vector<std::pair<QString, QString>> entries(const QString &section) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);
    void replaceSection(const QString &section, const std::vector<std::pair<QString, QString>> &entries);

    // The file's bytes; false (and `error`) when a changed line holds a
    // character CP932 cannot hold.
    bool serialize(QByteArray &out, QString *error) const;

private:
    struct Line
    {
        QString text;
        QByteArray body; // original bytes without the line end
        QByteArray eol; // original line end; empty on a last line without one
        bool changed = false;
    };
    struct Entry
    {
        QString key;
        QString value;
        int line = 0;
    };
    struct Section
    {
        QString name;
        int header = 0; // line of "[name]"
        int end = 0; // first line after the section
        std::vector<Entry> entries;
        QHash<QString, int> firstEntry; // folded key -> index in entries
    };

    void reindex();
    const Section *findSection(const QString &section) const;
    const Entry *findEntry(const Section &section, const QString &key) const;
    void insertLine(int at, const QString &text);
    void removeLines(int from, int count);

    std::vector<Line> m_lines;
    // Read as UTF-8 or UTF-16: every line is written anew in CP932, so the
    // file never mixes encodings.
    bool m_reencode = false;
    std::vector<Section> m_sections;
    QHash<QString, int> m_firstSection; // folded name -> index in m_sections
};

} // namespace veltra::profile
