// Pages made from a class name: a window that shows pages (a tab control) is given the names of
// their classes and creates them through the registry its owner hands it.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

class FxDialog;

class FxClassRegistry {
public:
    using Factory = std::function<std::unique_ptr<FxDialog>()>;

    // False, with nothing changed, when the name is already taken.
    bool Register(const std::string& name, Factory make);
    template <class T>
    bool Register(const std::string& name)
    {
        return Register(name, [] { return std::unique_ptr<FxDialog>(new T); });
    }
    // A new object of the class registered as `name`; null when no class has that name.
    std::unique_ptr<FxDialog> Create(const std::string& name) const;

private:
    std::map<std::string, Factory> m_factories;
};
