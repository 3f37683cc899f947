#include "platform/Accessible.h"

#include <oleacc.h>

#include "platform/SystemLibrary.h"

namespace {

// The accessibility library is loaded when a screen reader first asks, not at every start; the
// automation library that makes its strings comes with it.
HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  static const auto allocate = SystemFunction<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  *out = allocate ? allocate(text.c_str(), static_cast<UINT>(text.size())) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnNumber(long number, VARIANT* out) {
  out->vt = VT_I4;
  out->lVal = number;
  return S_OK;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object of the window, with the described facts in place of its own for the window
// itself; its children (a list's items) and everything else are the standard object's.
class DescribedObject final : public IAccessible {
 public:
  DescribedObject(IAccessible* standard, DescribeAccessible describe)
      : standard_(standard), describe_(std::move(describe)) {}
  DescribedObject(const DescribedObject&) = delete;
  DescribedObject& operator=(const DescribedObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IAccessible) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const AccessibleFacts facts = IsSelf(child) ? describe_() : AccessibleFacts{};
    return facts.name ? ReturnText(*facts.name, name) : standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const AccessibleFacts facts = IsSelf(child) ? describe_() : AccessibleFacts{};
    return facts.role ? ReturnNumber(*facts.role, role) : standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const AccessibleFacts facts = IsSelf(child) ? describe_() : AccessibleFacts{};
    return facts.state ? ReturnNumber(*facts.state, state) : standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    const AccessibleFacts facts = IsSelf(child) ? describe_() : AccessibleFacts{};
    return facts.keyboardShortcut ? ReturnText(*facts.keyboardShortcut, shortcut)
                                  : standard_->get_accKeyboardShortcut(child, shortcut);
  }

  // The rest as the standard object answers it.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, badArgument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    if (child.vt == VT_I4 && child.lVal != CHILDID_SELF) {
      const AccessibleFacts facts = describe_();
      const std::wstring described = facts.childDescription ? facts.childDescription(child.lVal) : L"";
      if (!described.empty()) return ReturnText(described, text);
    }
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~DescribedObject() { standard_->Release(); }

  LONG references_ = 1;
  IAccessible* standard_;
  DescribeAccessible describe_;
};

}  // namespace

LRESULT AccessibleClientObject(HWND window, WPARAM wParam, DescribeAccessible describe) {
  static const auto createStandard =
      SystemFunction<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  static const auto resultFromObject = SystemFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  IAccessible* standard = nullptr;
  if (!createStandard || !resultFromObject ||
      FAILED(createStandard(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
    return 0;
  auto* described = new DescribedObject(standard, std::move(describe));
  const LRESULT result = resultFromObject(IID_IAccessible, wParam, described);
  described->Release();  // the result holds its own reference
  return result < 0 ? 0 : result;
}
