#include "SharedData.h"

bool CSharedData::Open()
{
    Close();
    CKernelHandle mapping(::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSharedDataName));
    if (!mapping)
        return false;
    CMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, kSharedDataSize));
    if (!view)
        return false;
    m_data = static_cast<LauncherSharedData*>(view.Get());
    m_mapping = std::move(mapping);
    m_view = std::move(view);
    return true;
}

void CSharedData::Close()
{
    m_data = nullptr;
    m_view.Reset();
    m_mapping.Reset();
}

void CSharedData::SetText(const char* text)
{
    if (m_data)
        CopySharedText(*m_data, text);
}

const char* CSharedData::GetText() const
{
    return m_data ? m_data->szText : "";
}

HWND CSharedData::GetEditorWnd() const
{
    return m_data ? HandleFromBlock(m_data->hEditorWnd) : nullptr;
}

void CSharedData::SetEditorWnd(HWND wnd)
{
    if (m_data)
        m_data->hEditorWnd = HandleToBlock(wnd);
}

HWND CSharedData::GetLauncherWnd() const
{
    return m_data ? HandleFromBlock(m_data->hLauncherWnd) : nullptr;
}

bool CSharedDataOwner::Create()
{
    Close();
    CKernelHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               static_cast<DWORD>(kSharedDataSize), kSharedDataName));
    if (!mapping)
        return false;
    CMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, kSharedDataSize));
    if (!view)
        return false;
    m_data = static_cast<LauncherSharedData*>(view.Get());
    m_mapping = std::move(mapping);
    m_view = std::move(view);
    return true;
}

void CSharedDataOwner::Close()
{
    m_data = nullptr;
    m_view.Reset();
    m_mapping.Reset();
}
