#pragma once
// CalcTemplateModel: what the calculation-template editor holds while the
// user composes a template, without any widget.
//
// - Field names: rows 1 to 20 (row 0 is the grid's header). Only rows 1 to 10
//   have a token store; rows 11 to 20 can be named but never shown.
// - Token store: ten columns, one per field; column c holds the tokens of
//   field c + 1 in rows 1 onward, with the item-list file of every data
//   reference in the same cell of the file store (empty for other tokens).
//   Empty cells may stand between tokens (after an insertion); they are no
//   part of the expression and are not written.
// - Token grid: the shown field's store column, one token per row from row 1;
//   it starts with 20 rows (header included), grows one row at a time as the
//   cursor needs it and never shrinks. The stores stay at least as tall.
//   The cursor is the row the next token is written into.
// - Item lists: the statistics names of the year-management file (an empty
//   first entry, then one per statistics), the area units of the chosen
//   statistics' item-list file that match the area level, the data kinds of
//   the chosen unit and the items of the chosen kind, each with its enabled
//   state as the window shows it.
// - Number box: the number being typed, filtered character by character.
//
// Common use (the editor window):
//   CalcTemplateModel model;
//   model.load(gstrDataPath);            // throws vb::FileError
//   model.setAnaRange(range);
//   model.loadTemplate(path);            // throws vb::SubscriptOutOfRange
//   model.chooseStatistics(i); model.chooseAreaUnit(0); model.chooseDataKind(k);
//   model.placeReference(item); model.placeOperator(3); model.typeNumberChar('5');
//   model.commitNumber();
//   registerCalcTemplate(model, request, engine);   (calctemplateregistration.h)
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace veltra::statdata {

// A field name made from a text: "-" becomes "～"; ".", "!", "'", "[" and "]"
// become blanks; each pair of blanks becomes one blank in one left-to-right
// pass (three in a row leave two); blanks become "_"; the text is trimmed at
// every step and cut to 64 CP932 bytes without splitting a character.
QString makeFieldName(const QString &text);

// The tokens the pad and the number box place, indices 0 to 7: "+", "-",
// "*", "/", "SUM(", ":", "(", ")". The first seven count as the operator a
// registered field needs.
const std::array<QString, 8> &calcOperators();

class CalcTemplateModel
{
public:
    static constexpr int kNameRows = 21; // header + fields 1..20
    static constexpr int kStoreColumns = 10;
    static constexpr int kInitialTokenRows = 20; // header included
    static constexpr int kInitialStoreRows = 2;
    static constexpr int kMaxNumberDigits = 8;

    CalcTemplateModel();

    // --- window load -------------------------------------------------------
    // Item-list prefix = data folder + "etc\"; the statistics names are read
    // from the year-management file there (lines splitting into at least two
    // comma fields). Throws vb::FileError, naming the file, when it cannot be
    // read. The lists start empty and disabled.
    void load(const QString &dataFolder);
    // Area level 0..3; chooses the area unit the lists offer.
    void setAnaRange(std::int32_t anaRange) { m_anaRange = anaRange; }
    std::int32_t anaRange() const { return m_anaRange; }
    // "都道府県" (levels 0, 1), "市区町村" (2), "町丁字" (3); "" otherwise.
    QString areaUnitOfLevel() const;

    // --- item lists ----------------------------------------------------------
    const QStringList &statisticsNames() const { return m_statistics; }
    int statisticsIndex() const { return m_statisticsIndex; }
    // Choosing a statistics name: its item-list file fills the area units
    // (the empty entry empties them) and the first unit is chosen.
    void chooseStatistics(int index);
    // The item-list file of the chosen statistics: prefix, trimmed name, ".txt".
    QString itemListFile() const;

    const QStringList &areaUnits() const { return m_areaUnits; }
    int areaUnitIndex() const { return m_areaUnitIndex; }
    bool areaUnitsEnabled() const { return m_areaUnitsEnabled; }
    void chooseAreaUnit(int index);

    const QStringList &dataKinds() const { return m_dataKinds; }
    int dataKindIndex() const { return m_dataKindIndex; }
    bool dataKindsEnabled() const { return m_dataKindsEnabled; }
    void chooseDataKind(int index);

    const QStringList &items() const { return m_items; }
    bool itemsEnabled() const { return m_itemsEnabled; }

    // The double click on an item: places "{[unit][kind][item]}" with the
    // item-list file and names an empty (or "Field?") name row after it.
    // Nothing without a chosen data kind or a valid item.
    void placeReference(int itemIndex);

    // --- fields ---------------------------------------------------------------
    QString fieldName(int row) const;
    // The in-place name editor's text, made a field name.
    void setFieldName(int row, const QString &text);
    // The name row of the shown field (1..10).
    int fieldRow() const { return m_field + 1; }
    // Shows the field of name row `row` with the cursor on token row 2; rows
    // without a store (0, 11..20) change nothing.
    void chooseField(int row);

    // --- tokens of the shown field -------------------------------------------
    int tokenRows() const { return m_tokenRows; }
    int storeRows() const { return m_storeRows; }
    QString token(int row) const { return storedToken(m_field, row); }
    QString tokenFile(int row) const { return storedFile(m_field, row); }
    QString storedToken(int column, int row) const;
    QString storedFile(int column, int row) const;
    int cursorRow() const { return m_cursor; }
    // A click on a token cell: the cell becomes the cursor; a data reference
    // taken from another item list brings that list back.
    void setCursor(int row);
    // Places calcOperators()[index]; a number waiting in the box stays.
    void placeOperator(int index);
    // Removes the cursor row's token; the ones below move up.
    void deleteToken();
    // Opens an empty row at the cursor; the tokens from there move down.
    void insertToken();
    // "ｸﾘｱ": empties the shown field and puts the cursor on row 1.
    void clearField();
    // The shown expression: the tokens in row order, empty cells skipped.
    QString expression() const;
    // Store columns with at least one token, in column order.
    std::vector<int> fieldsHoldingTokens() const;
    // The tokens (and their files) of a store column, empty cells skipped.
    void storedTokens(int column, std::vector<QString> &tokens, std::vector<QString> &files) const;

    // --- number box ------------------------------------------------------------
    QString numberText() const { return m_number; }
    // The key filter: a digit while at most 7 digits are in the box, a "."
    // while there is none, blanks always; anything else is dropped.
    static bool acceptsNumberChar(const QString &boxText, QChar c);
    // One typed character (pad or keyboard): a filtered character goes into
    // the box, one of "+-*/():" places its operator, Enter ('\r' or '\n')
    // commits, Backspace ('\b') removes the last character; "," and anything
    // else is dropped.
    void typeNumberChar(QChar c);
    // The box's text as edited in place, each character through the filter.
    void setNumberText(const QString &text);
    // Places the box's trimmed text when it is a number and empties the box;
    // false (nothing done) otherwise.
    bool commitNumber();

    // --- templates -------------------------------------------------------------
    // Loads a template file: names, tokens and files of its fields, the lists
    // of its first data reference, field 1 shown. A template of more than 10
    // fields throws vb::SubscriptOutOfRange and changes nothing.
    void loadTemplate(const QString &path);

private:
    void place(const QString &token);
    void growStores(int rows);
    void fillAreaUnits(const QString &itemListFile);
    void selectStatisticsOf(const QString &itemListFile);
    QStringList readEntries(const QString &section, const QString &file) const;

    QString m_dataFolder;
    QString m_prefix; // data folder + "etc\"
    std::int32_t m_anaRange = 0;

    QStringList m_statistics;
    int m_statisticsIndex = -1;
    QStringList m_areaUnits;
    int m_areaUnitIndex = -1;
    bool m_areaUnitsEnabled = false;
    QStringList m_dataKinds;
    int m_dataKindIndex = -1;
    bool m_dataKindsEnabled = false;
    QStringList m_items;
    bool m_itemsEnabled = false;

    std::array<QString, kNameRows> m_names;
    int m_field = 0; // shown store column
    int m_tokenRows = kInitialTokenRows;
    int m_storeRows = kInitialStoreRows;
    int m_cursor = 1;
    // [column][row], m_storeRows rows each.
    std::array<std::vector<QString>, kStoreColumns> m_tokens;
    std::array<std::vector<QString>, kStoreColumns> m_files;
    bool m_referencePending = false;

    QString m_number;
};

} // namespace veltra::statdata
