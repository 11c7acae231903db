#include "accessible_name.h"

#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <new>
#include <string_view>

#include "window_layout.h"

namespace quillon::win32 {
namespace {

// Accessibility's DLLs are loaded the first time a screen reader asks for an object: a session
// without one loads none of them, and the program imports nothing beyond its window's DLLs.
struct Accessibility {
    decltype(&CoInitializeEx) initializeCom;
    decltype(&CreateStdAccessibleObject) createStandardObject;
    decltype(&LresultFromObject) resultFromObject;
    decltype(&SysAllocString) allocateString;
};

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    // Only the system folder's copy: a DLL of that name beside the program is never loaded.
    std::array<wchar_t, MAX_PATH + 16> path{};
    const UINT folder = GetSystemDirectoryW(path.data(), MAX_PATH);
    const std::wstring_view file = library;
    if (folder == 0 || folder >= MAX_PATH || file.size() >= path.size() - folder - 1) {
        return nullptr;
    }
    path[folder] = L'\\';
    std::ranges::copy(file, path.begin() + folder + 1);
    const HMODULE module = LoadLibraryW(path.data());
    // Going through void(*)() is the documented way to silence the cast warning.
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                             : nullptr;
}

const Accessibility& accessibility() {
    static const Accessibility loaded{
        systemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx"),
        systemFunction<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject"),
        systemFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
        systemFunction<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString"),
    };
    return loaded;
}

// The control's standard accessible object with its own name in place of the one the platform
// guesses from the label before it. Role, value, state, children and actions stay the
// platform's, so a reader meets the control it knows. Once the control is gone every call
// fails as a call to a vanished object does, however long a reader keeps it.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(const Accessibility& platform, IAccessible* standard, const wchar_t* name)
        : platform_(platform), standard_(standard), name_(name) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // What WM_GETOBJECT answers: the object, marshalled for the reader that asked.
    LRESULT result(WPARAM request) { return platform_.resultFromObject(__uuidof(IAccessible), request, this); }

    void disconnect() {
        if (standard_ != nullptr) {
            standard_->Release();
            standard_ = nullptr;
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (interfaceId == __uuidof(IUnknown) || interfaceId == __uuidof(IDispatch) ||
            interfaceId == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const auto left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0) {
            disconnect();
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return forward(&IAccessible::GetTypeInfoCount, count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override {
        return forward(&IAccessible::GetTypeInfo, index, locale, typeInfo);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return forward(&IAccessible::GetIDsOfNames, interfaceId, names, count, locale, ids);
    }
    // Through the interface's type information onto this object, so that a script asking by
    // dispatch hears the same name.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* wrongArgument) override {
        ITypeInfo* typeInfo = nullptr;
        HRESULT outcome = GetTypeInfo(0, locale, &typeInfo);
        if (SUCCEEDED(outcome)) {
            outcome = typeInfo->Invoke(static_cast<IAccessible*>(this), member, flags, parameters, result, exception,
                                       wrongArgument);
            typeInfo->Release();
        }
        return outcome;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (standard_ == nullptr || child.vt != VT_I4 || child.lVal != CHILDID_SELF) {
            return forward(&IAccessible::get_accName, child, name);
        }
        if (name == nullptr) {
            return E_POINTER;
        }
        *name = platform_.allocateString(name_);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return forward(&IAccessible::get_accParent, parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return forward(&IAccessible::get_accChildCount, count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return forward(&IAccessible::get_accChild, child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return forward(&IAccessible::get_accValue, child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return forward(&IAccessible::get_accDescription, child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return forward(&IAccessible::get_accRole, child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return forward(&IAccessible::get_accState, child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return forward(&IAccessible::get_accHelp, child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return forward(&IAccessible::get_accHelpTopic, file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return forward(&IAccessible::get_accFocus, focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return forward(&IAccessible::get_accSelection, selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return forward(&IAccessible::get_accDefaultAction, child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return forward(&IAccessible::accSelect, flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return forward(&IAccessible::accLocation, left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return forward(&IAccessible::accNavigate, direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return forward(&IAccessible::accHitTest, left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return forward(&IAccessible::accDoDefaultAction, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return forward(&IAccessible::put_accName, child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return forward(&IAccessible::put_accValue, child, value);
    }

private:
    ~NamedAccessible() = default;

    template <typename Method, typename... Arguments>
    HRESULT forward(Method method, Arguments... arguments) const {
        return standard_ != nullptr ? (standard_->*method)(arguments...) : RPC_E_DISCONNECTED;
    }

    const Accessibility& platform_;
    LONG references_ = 1;
    IAccessible* standard_;
    const wchar_t* name_;
};

NamedAccessible* createNamedAccessible(HWND control, const wchar_t* name) {
    const Accessibility& platform = accessibility();
    if (platform.initializeCom == nullptr || platform.createStandardObject == nullptr ||
        platform.resultFromObject == nullptr || platform.allocateString == nullptr) {
        return nullptr;
    }
    // Handing an object to another process needs COM on this thread. The thread is the
    // window's and runs until the program ends, so COM is never left; a thread that has it
    // already keeps it as it is.
    platform.initializeCom(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* standard = nullptr;
    if (FAILED(platform.createStandardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    auto* named = new (std::nothrow) NamedAccessible(platform, standard, name);
    if (named == nullptr) {
        standard->Release();
    }
    return named;
}

// Where a named control keeps its object, from the first request on.
constexpr wchar_t OBJECT_PROPERTY[] = L"Quillon.NamedAccessible";

const wchar_t* accessibleNameOf(HWND control) {
    const int id = GetDlgCtrlID(control);
    const auto design = std::ranges::find_if(CONTROLS, [id](const ControlDesign& c) { return c.id == id; });
    return design != CONTROLS.end() ? design->accessibleName : L"";
}

// The control's object, made and kept on the first request; none when it cannot be made.
NamedAccessible* objectOf(HWND control) {
    if (auto* kept = static_cast<NamedAccessible*>(GetPropW(control, OBJECT_PROPERTY))) {
        return kept;
    }
    NamedAccessible* made = createNamedAccessible(control, accessibleNameOf(control));
    if (made != nullptr && SetPropW(control, OBJECT_PROPERTY, made) == FALSE) {
        made->Release();
        return nullptr;
    }
    return made;
}

// A named control's own procedure, in front of its class's, which the control's user data
// holds. Every message to the control passes through it, so until a reader asks for the object
// it does no more than read that user data.
LRESULT CALLBACK namedControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto classProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    // The object id is a 32-bit value, whether or not the sender widened it with its sign.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (NamedAccessible* named = objectOf(control)) {
            return named->result(wParam);
        }
    } else if (message == WM_NCDESTROY) {
        if (auto* named = static_cast<NamedAccessible*>(RemovePropW(control, OBJECT_PROPERTY))) {
            named->disconnect();
            named->Release();
        }
    }
    return CallWindowProcW(classProcedure, control, message, wParam, lParam);
}

}  // namespace

// Replacing the window procedure rather than adding a common-controls subclass: that one looks
// its chain up in a window property on every message, and under Wine each look-up goes to the
// server, which made start-up a quarter slower, nearly all of it in filling the lists. Nothing
// else subclasses these controls, and this is never taken off.
void giveAccessibleName(HWND control) {
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&namedControlProcedure));
}

}  // namespace quillon::win32
