#include "fx/fx_class_registry.h"
#include "fx/fx_dialog.h"

bool FxClassRegistry::Register(const std::string& name, Factory make)
{
    if (!make) return false;
    return m_factories.emplace(name, std::move(make)).second;
}

std::unique_ptr<FxDialog> FxClassRegistry::Create(const std::string& name) const
{
    auto it = m_factories.find(name);
    return it == m_factories.end() ? nullptr : it->second();
}
