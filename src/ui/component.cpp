#include "ui/component.h"

#include <algorithm>

#include "common/text.h"

namespace ui {

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (owner_) owner_->owned_.push_back(this);
}

Component::~Component() {
  if (owner_) {
    auto& list = owner_->owned_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  // Owned components are members of the owner's class and are destroyed with
  // it; they only need to forget us.
  for (Component* c : owned_) c->owner_ = nullptr;
}

NotifyEvent* Component::EventSlot(Event) { return nullptr; }

Component* Component::FindOwnedByName(std::string_view name) const {
  for (Component* c : owned_) {
    if (!c->name_.empty() && wc::EqualsIgnoreCaseAscii(c->name_, name)) return c;
  }
  return nullptr;
}

const Property* Component::FindProperty(std::string_view name) const {
  for (const Property& p : properties_) {
    if (wc::EqualsIgnoreCaseAscii(p.name, name)) return &p;
  }
  return nullptr;
}

void Component::PublishText(std::string name, std::function<std::string()> get,
                            std::function<void(const std::string&)> set) {
  Property p{std::move(name), PropertyType::Text, std::move(get), std::move(set), {}, {}, {}};
  properties_.push_back(std::move(p));
}

void Component::PublishInteger(std::string name, std::function<int64_t()> get, std::function<void(int64_t)> set) {
  Property p{std::move(name), PropertyType::Integer, [get] { return std::to_string(get()); }, {}, std::move(set), {}, {}};
  properties_.push_back(std::move(p));
}

void Component::PublishBoolean(std::string name, std::function<bool()> get, std::function<void(bool)> set) {
  Property p{std::move(name), PropertyType::Boolean, [get] { return std::string(get() ? "True" : "False"); }, {}, {},
             std::move(set), {}};
  properties_.push_back(std::move(p));
}

void Component::PublishStrings(std::string name, std::function<std::vector<std::string>()> get,
                               std::function<void(const std::vector<std::string>&)> set) {
  auto joined = [get] {
    std::string text;
    for (const std::string& s : get()) {
      text += s;
      text += "\r\n";
    }
    return text;
  };
  Property p{std::move(name), PropertyType::Strings, joined, {}, {}, {}, std::move(set)};
  properties_.push_back(std::move(p));
}

namespace {
std::vector<std::string_view> SplitDots(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return parts;
}
}  // namespace

Component* ResolveComponentPath(Component& root, std::string_view path) {
  Component* c = &root;
  for (std::string_view part : SplitDots(path)) {
    std::string name = wc::Trim(part);
    c = c->FindOwnedByName(name);
    if (!c) return nullptr;
  }
  return c;
}

ResolvedProperty ResolvePropertyPath(Component& root, std::string_view path) {
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  Component* c = ResolveComponentPath(root, path.substr(0, dot));
  if (!c) return {};
  const Property* p = c->FindProperty(wc::Trim(path.substr(dot + 1)));
  if (!p) return {};
  return {c, p};
}

}  // namespace ui
