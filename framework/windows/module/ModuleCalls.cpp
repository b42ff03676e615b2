// Compiled into every module on the framework (and into editor.dll): this module's table of
// guarded calls (see ModuleCalls.h). Each entry calls the function on the object here, in
// this module's code, so that the virtual call lands in the override with no frame of
// another module between them, and catches whatever it throws before it reaches editor.dll.
#include "ModuleCalls.h"

#include <cstring>
#include <exception>

namespace {
// What a caller gets after a stopped exception, and whether the user is told.
struct Quiet {
    template <class R, class... A>
    static R Value(const A&...)
    {
        return R{};
    }
    template <class... A>
    static bool TellUser(const A&...)
    {
        return false;
    }
};
struct Refuse {
    template <class R, class... A>
    static R Value(const A&...)
    {
        return R{};
    }
    template <class... A>
    static bool TellUser(const A&...)
    {
        return true;
    }
};
struct Handled {
    template <class R, class... A>
    static R Value(const A&...)
    {
        return static_cast<R>(1);
    }
    template <class... A>
    static bool TellUser(const A&...)
    {
        return true;
    }
};
// OnCmdMsg(id, code, ui): a command (no ui) as Handled, a command's state as Quiet.
struct Route {
    template <class R>
    static R Value(UINT, UINT, CCmdUI* ui)
    {
        return ui == nullptr;
    }
    static bool TellUser(UINT, UINT, CCmdUI* ui) { return ui == nullptr; }
};

template <class Member>
struct CGuard;

template <class Object, class R, class... A>
struct CGuardBody {
    using Result = std::conditional_t<std::is_void_v<R>, bool, R>;

    template <class OnThrow, class Call>
    static Result Run(const char* name, Call&& call, const A&... args) noexcept
    {
        char what[200] = "an exception of unknown type";
        try {
            if constexpr (std::is_void_v<R>) {
                call();
                return true;
            } else {
                return call();
            }
        } catch (const std::exception& e) {
            std::strncpy(what, e.what(), sizeof(what) - 1);
            what[sizeof(what) - 1] = '\0';
        } catch (...) {
        }
        AfxReportStoppedException(name, what, OnThrow::TellUser(args...));
        return OnThrow::template Value<Result>(args...);
    }
};

template <class C, class R, class... A>
struct CGuard<R (C::*)(A...)> {
    template <R (C::*Member)(A...), class OnThrow, const char* Name>
    static auto Call(C* self, A... args) noexcept
    {
        return CGuardBody<C, R, A...>::template Run<OnThrow>(
            Name, [&] { return (self->*Member)(args...); }, args...);
    }
};
template <class C, class R, class... A>
struct CGuard<R (C::*)(A...) const> {
    template <R (C::*Member)(A...) const, class OnThrow, const char* Name>
    static auto Call(const C* self, A... args) noexcept
    {
        return CGuardBody<C, R, A...>::template Run<OnThrow>(
            Name, [&] { return (self->*Member)(args...); }, args...);
    }
};

#define FW_MODULE_CALL_NAME(C, N, OnThrow) constexpr char k##C##_##N[] = #C "::" #N;
FW_MODULE_CALLS(FW_MODULE_CALL_NAME)
#undef FW_MODULE_CALL_NAME
}  // namespace

const CModuleCalls& CModuleCalls::ThisModule()
{
#define FW_MODULE_CALL_GUARD(C, N, OnThrow) &CGuard<decltype(&C::N)>::template Call<&C::N, OnThrow, k##C##_##N>,
    static const CModuleCalls calls{FW_MODULE_CALLS(FW_MODULE_CALL_GUARD)};
#undef FW_MODULE_CALL_GUARD
    return calls;
}
