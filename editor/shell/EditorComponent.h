#pragma once
// Everything a program uses of the editor component in editor.dll.
#include "Colors.h"
#include "EditorDll.h"
#include "EditorKeywords.h"
#include "OleDragDrop.h"
#include "VQEdit.h"
#include "VQEditCtrl.h"
#include "VQEditView.h"
#include "VQEditor.h"
#include "VQEditorIds.h"
