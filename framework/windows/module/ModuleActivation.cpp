#include "ModuleActivation.h"

#include <array>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
// Owns the activation context made from this module's manifest, for the module's lifetime.
class CActivationContext {
public:
    CActivationContext()
    {
        const auto module = reinterpret_cast<HMODULE>(&__ImageBase);
        std::array<char, MAX_PATH> path{};
        if (::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size())) == 0)
            return;
        ACTCTXA context{};
        context.cbSize = sizeof(context);
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.data();
        context.hModule = module;
        context.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
        m_handle = ::CreateActCtxA(&context);
    }
    ~CActivationContext()
    {
        if (IsValid())
            ::ReleaseActCtx(m_handle);
    }
    CActivationContext(const CActivationContext&) = delete;
    CActivationContext& operator=(const CActivationContext&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

CActivationContext& ThisModuleContext()
{
    // Made on first use, not in DllMain, where the loader lock is held.
    static CActivationContext context;
    return context;
}
}  // namespace

CModuleActivation::CModuleActivation()
{
    CActivationContext& context = ThisModuleContext();
    m_active = context.IsValid() && ::ActivateActCtx(context.Get(), &m_cookie) != FALSE;
}

CModuleActivation::~CModuleActivation()
{
    if (m_active)
        ::DeactivateActCtx(0, m_cookie);
}
