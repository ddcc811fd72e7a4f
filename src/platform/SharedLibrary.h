#pragma once

#include <QString>

// A shared library opened with dlopen() on first use instead of linked, and never closed (its
// code may run in threads and callbacks that outlive any one user). resolve() looks its functions
// up by name; failures are kept in the dynamic loader's words.
class SharedLibrary {
public:
    // `what` names the library in messages the loader itself does not give ("the sound library").
    SharedLibrary(const char* fileName, const char* what);

    bool isOpen() const { return m_handle != nullptr; }
    // Why the library or a function could not be had; empty while everything was found.
    QString errorString() const { return m_error; }

    // Stores the address of `name` in `function`; false, with the reason kept, when it is missing.
    template <typename Function> bool resolve(const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }

private:
    void* symbol(const char* name);

    void* m_handle = nullptr;
    const char* m_what;
    QString m_error;
};
