#pragma once

// A form is a single instance: created and loaded on first use, released by an explicit unload
// (or when Qt destroys it with its parent). T provides Form_Load() and Form_Unload().
template <class T> class FormAccess {
public:
    static T& Get() {
        if (!s_instance) {
            T* form = new T();
            s_instance = form;
            s_base = form;
            form->Form_Load();
        }
        return *s_instance;
    }
    static T* IfLoaded() { return s_instance; }
    static bool IsLoaded() { return s_instance != nullptr; }
    static void Unload() {
        if (T* form = s_instance) {
            form->Form_Unload();
            s_instance = nullptr;
            s_base = nullptr;
            form->ReleaseForm();
        }
    }

protected:
    FormAccess() = default;
    ~FormAccess() {
        if (s_base == this) {
            s_instance = nullptr;
            s_base = nullptr;
        }
    }

private:
    static inline T* s_instance = nullptr;
    static inline FormAccess* s_base = nullptr;
};
