#include "program/program.h"

Program::Program(const Services &services) : io(services) {}

void Program::addCommand(const QString &menuItem, Command command)
{
    commands_[menuItem] = std::move(command);
}

bool Program::runCommand(const QString &menuItem)
{
    const auto it = commands_.find(menuItem);
    if (it == commands_.end()) {
        return false;
    }
    if (menu.has(menuItem) && (!menu.enabled(menuItem) || !menu.visible(menuItem))) {
        return false;
    }
    // Copy: a command may replace itself in the table while it runs.
    const Command command = it->second;
    command();
    sync();
    return true;
}

void Program::addMenuOpenRule(const QString &menuName, Command rule)
{
    menuOpenRules_[menuName].push_back(std::move(rule));
}

void Program::menuOpened(const QString &menuName)
{
    const auto it = menuOpenRules_.find(menuName);
    if (it != menuOpenRules_.end()) {
        for (const Command &rule : it->second) {
            rule();
        }
    }
    sync();
}

void Program::sync() const
{
    if (windows.main != nullptr) {
        windows.main->sync();
    }
}
