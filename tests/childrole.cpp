#include "childrole.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <map>
#include <optional>

namespace veltra::test {

namespace {

constexpr const char *kRoleVariable = "VELTRA_TEST_CHILD_ROLE";

std::map<QString, ChildRole::Body> &roles()
{
    static std::map<QString, ChildRole::Body> all;
    return all;
}

} // namespace

ChildRole::ChildRole(const char *name, Body body)
{
    roles()[QString::fromUtf8(name)] = std::move(body);
}

std::optional<int> runChildRoleIfAsked(int argc, char **argv)
{
    const QString role = qEnvironmentVariable(kRoleVariable);
    if (role.isEmpty())
        return std::nullopt;
    const auto it = roles().find(role);
    if (it == roles().end())
        return 3;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return it->second(args);
}

void startChildRole(QProcess &process, const QString &role, const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kRoleVariable), role);
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationFilePath(), args);
}

} // namespace veltra::test
