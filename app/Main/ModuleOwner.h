#pragma once

// What a module may ask of the window that holds it. Every operation has an empty default body,
// so an owner answers only what it cares about; modules keep a non-owning pointer to it.
class ModuleOwner {
public:
    virtual ~ModuleOwner() = default;

    // False while the module runs work that must not be left (an erasure): the window then
    // refuses to switch to another module until it is called again with true.
    virtual void canChangeType(bool /*canChange*/) {}
};
