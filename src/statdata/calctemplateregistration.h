#pragma once
// Registration of a composed calculation template: the checks of the name
// and the fields, the syntax check of the shown expression, writing the file,
// removing the old file of a renamed template, and reading every stored field
// back through the expression engine.
//
// Order (the first refusal ends it, with the window left open):
//   1. name: empty, a forbidden character (\ / : * ? " < > |), too long;
//      the focus then goes back to the name box;
//   2. at least one field holds tokens; 3. each such field has a name;
//   4. the shown field holds an operator ("+ - * / SUM( : (");
//   5. the shown expression passes CheckSyntax (else nothing is written);
//   6. the template is written (an existing file of that name is replaced);
//      only then is the old file of a renamed template deleted, and
//      gstrCalcTemplateFile names the new one;
//   7./8. every stored field is read back and checked; success closes the
//      window, a failure leaves the written file and the window open.
// The engine is cleared whenever it was used.
#include <QString>
#include <cstdint>

namespace veltra::analyzer {
class AnalyzerEngine;
}

namespace veltra::statdata {

class CalcTemplateModel;

struct CalcRegistration
{
    QString name; // the name box's text, untrimmed (it forms the file name)
    QString explanation;
    QString folder; // template folder, no trailing separator
    QString openedPath; // the template being modified; "" when adding
    std::int16_t areaType = 0;
    std::int16_t areaSpace = 0;
    std::int16_t areaClosedCnect = 0;
    std::int16_t areaRepresentCnect = 0;
};

struct CalcRegistrationResult
{
    bool registered = false; // every stored field passed: close the window
    QString message; // to show with the exclamation icon; "" for none
    bool focusName = false; // the name was refused
    bool written = false; // the file was written
    QString path; // the file written (or to be written)
};

// The refusal of a template name in a folder, "" when the name can be used.
// The byte limit counts CP932 bytes as a Windows path must fit: folder + 1 +
// name + 4 + 16 <= 255; the file name ("name.cal") must also fit the 255
// UTF-8 bytes of a Linux file name. The message names the longest
// half-width name that fits both.
QString calcTemplateNameRefusal(const QString &name, const QString &folder);

CalcRegistrationResult registerCalcTemplate(
    const CalcTemplateModel &model, const CalcRegistration &request, analyzer::AnalyzerEngine &engine);

} // namespace veltra::statdata
