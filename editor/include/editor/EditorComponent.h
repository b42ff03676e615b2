#pragma once
// Everything a program uses of the editor component in editor.dll.
#include <editor/Colors.h>
#include <editor/EditorDll.h>
#include <editor/Keywords.h>
#include <editor/OleDragDrop.h>
#include <editor/VQEdit.h>
#include <editor/VQEditCtrl.h>
#include <editor/VQEditView.h>
#include <editor/VQEditor.h>
#include <editor/VQEditorIds.h>
