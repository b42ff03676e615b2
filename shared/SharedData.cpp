#include "SharedData.h"

namespace {

// Maps all of the block; on success the mapping and the view are handed to the caller.
LauncherSharedData* MapBlock(CKernelHandle mapping, CKernelHandle& mappingOut, CMappedView& viewOut)
{
    if (!mapping)
        return nullptr;
    CMappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, kSharedDataSize));
    if (!view)
        return nullptr;
    auto* data = static_cast<LauncherSharedData*>(view.Get());
    mappingOut = std::move(mapping);
    viewOut = std::move(view);
    return data;
}

}  // namespace

bool CSharedData::Open()
{
    Close();
    m_data =
        MapBlock(CKernelHandle(::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kSharedDataName)), m_mapping, m_view);
    return m_data != nullptr;
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

std::string CSharedData::GetText() const
{
    return m_data ? ReadSharedText(*m_data) : std::string();
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
    m_data = MapBlock(CKernelHandle(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                         static_cast<DWORD>(kSharedDataSize), kSharedDataName)),
                      m_mapping, m_view);
    return m_data != nullptr;
}

void CSharedDataOwner::Close()
{
    m_data = nullptr;
    m_view.Reset();
    m_mapping.Reset();
}
