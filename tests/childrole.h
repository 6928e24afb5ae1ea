#pragma once
// Test programs that start themselves as a child process: a test registers
// a role (a function run instead of the tests) and starts its own program
// with that role, for instance to kill it at a random moment of a save.
//
//   static veltra::test::ChildRole saver("saver", [](const QStringList &args) { ...; return 0; });
//   QProcess child; veltra::test::startChildRole(child, "saver", {folder});
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace veltra::test {

class ChildRole
{
public:
    using Body = std::function<int(const QStringList &args)>;
    ChildRole(const char *name, Body body);
};

// Run by the test main: the exit code of the role the environment names, or
// nothing when this process is no child.
std::optional<int> runChildRoleIfAsked(int argc, char **argv);

// Starts this test program as the named role with the arguments.
void startChildRole(QProcess &process, const QString &role, const QStringList &args);

} // namespace veltra::test
