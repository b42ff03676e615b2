#!/usr/bin/env python3
"""Draws the log viewer's pictures: the tree's image strip (tree.bmp, nine 16 x 16 images
on pure green, which the tree leaves transparent), the toolbar strip (toolbar.bmp) and the
frame's icon (brenlo.ico, 16, 32 and 48 pixels). Run it in this folder after changing a picture."""
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
from picturefiles import write_bmp, write_icon  # noqa: E402

PALETTE = {
    '.': (0, 255, 0),      # transparent in the tree strip
    ' ': (192, 192, 192),  # toolbar background (button face)
    'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128), 'l': (224, 224, 224),
    'y': (255, 224, 96), 'o': (200, 150, 40), 'b': (0, 64, 192), 'c': (96, 160, 255),
    'r': (200, 0, 0), 'n': (0, 128, 0), 'd': (64, 64, 64), 'p': (128, 0, 128),
}

FOLDER_PROGRAM = """
................
................
..kkkk..........
.kyyyyk.........
kyyyyyykkkkkkk..
kyyyyyyyyyyyyok.
kyyyyyybbbbyyok.
kyyyyyybccbyyok.
kyyyyyybbbbyyok.
kyyyyyybbbbyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
koooooooooooook.
.kkkkkkkkkkkkkk.
................
................"""
DRIVE = """
................
................
................
................
................
..kkkkkkkkkkkk..
.kllllllllllllk.
kwwwwwwwwwwwwwgk
kwlllllllllllngk
kwwwwwwwwwwwwwgk
kggggggggggggggk
.kkkkkkkkkkkkkk.
................
................
................
................"""
FOLDER_CLOSED = """
................
................
..kkkk..........
.kyyyyk.........
kyyyyyykkkkkkk..
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
kyyyyyyyyyyyyok.
koooooooooooook.
.kkkkkkkkkkkkkk.
................
................"""
FOLDER_OPEN = """
................
................
..kkkk..........
.kyyyyk.........
kyyyyyykkkkkk...
kyyyyyyyyyyyok..
kyyykkkkkkkkkkkk
kyykyyyyyyyyyyok
kykyyyyyyyyyyok.
kykyyyyyyyyyyok.
kkyyyyyyyyyyok..
kkyyyyyyyyyyok..
kkoooooooooook..
.kkkkkkkkkkkk...
................
................"""
DOC_GEAR = """
................
..kkkkkkkk......
..kwwwwwwkk.....
..kwwwwwwkwk....
..kwwwwwwkkkk...
..kwwwwwwwwwk...
..kwwgwwgwwwk...
..kwwwgggwwwk...
..kwggwdggwwk...
..kwwwgggwwwk...
..kwwgwwgwwwk...
..kwwwwwwwwwk...
..kwwwwwwwwwk...
..kkkkkkkkkkk...
................
................"""
DOC_QUESTION = """
................
..kkkkkkkk......
..kwwwwwwkk.....
..kwwwwwwkwk....
..kwwrrrwkkkk...
..kwrwwwrwwwk...
..kwwwwwrwwwk...
..kwwwwrwwwwk...
..kwwwrwwwwwk...
..kwwwrwwwwwk...
..kwwwwwwwwwk...
..kwwwrwwwwwk...
..kwwwwwwwwwk...
..kkkkkkkkkkk...
................
................"""
DOC_NOTEPAD = """
................
..kbkbkbkbkk....
..kbkbkbkbkwk...
..kwwwwwwwwwk...
..kwkkkkkkwwk...
..kwwwwwwwwwk...
..kwkkkkkkkwk...
..kwwwwwwwwwk...
..kwkkkkkwwwk...
..kwwwwwwwwwk...
..kwkkkkkkkwk...
..kwwwwwwwwwk...
..kwkkkkwwwwk...
..kwwwwwwwwwk...
..kkkkkkkkkkk...
................"""
DOC_SMALL = """
................
................
................
....kkkkkk......
....kwwwwkk.....
....kwwwwkwk....
....kwkkwkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
....kwkkkwwk....
....kwwwwwwk....
....kkkkkkkk....
................
................
................"""
COMPUTER = """
................
.kkkkkkkkkkkkk..
.kgggggggggggk..
.kgbbbbbbbbbgk..
.kgbccbbbbbbgk..
.kgbcbbbbbbbgk..
.kgbbbbbbbbbgk..
.kgbbbbbbbbbgk..
.kgggggggggggk..
.kkkkkkkkkkkkk..
.....kgggk......
...kkkkkkkkk....
..kllllllllk....
..kgggggggggk...
..kkkkkkkkkkk...
................"""

TREE = [FOLDER_PROGRAM, DRIVE, FOLDER_CLOSED, FOLDER_OPEN, DOC_GEAR, DOC_QUESTION, DOC_NOTEPAD,
        DOC_SMALL, COMPUTER]

COPY = """
                
 kkkkkk         
 kwwwwkk        
 kwkkwkwk       
 kwwwkkkkkk     
 kwkkkwwwwkk    
 kwwwkwkkwkwk   
 kwkkkwwwwkkkk  
 kwwwkwkkkkwwk  
 kkkkkwwwwwwwk  
     kwkkkkwwk  
     kwwwwwwwk  
     kwkkkkkwk  
     kwwwwwwwk  
     kkkkkkkkk  
                """
PREVIEW = """
                
  kkkkkkkkk     
  kwwwwwwwkk    
  kwkkkkwwkwk   
  kwwwwwwwkkkk  
  kwkkkkkkkwwk  
  kwwwkkkkwwwk  
  kwwkcccckwwk  
  kwwkcwwckwwk  
  kwwkcccckwwk  
  kwwwkkkkkwwk  
  kwwwwwwwwkwk  
  kkkkkkkkkkkd  
             dd 
              dd
                """
PRINT = """
                
     kkkkkkkk   
     kwwwwwwk   
     kwkkkkwk   
     kwwwwwwk   
   kkkkkkkkkkkk 
  kllllllllllkk 
  kllllllllnlkkk
  kkkkkkkkkkkkkk
  kllllllllllkkk
  klkkkkkkkklkk 
  kllllllllllk  
   kkkkkkkkkkk  
                
                
                """
CLEAR = """
                
 kkkkkkkkk      
 kwwwwwwwkk     
 kwkkkkwwkwk    
 kwwwwwwwkkkk   
 kwkkkkkkkwwk   
 kwwwwwwwwwwk   
 kwkkkkkkrwwr   
 kwwwwwwwwrrw   
 kwkkkkkwwrrw   
 kwwwwwwwrwwr   
 kwwwwwwwwwwk   
 kkkkkkkkkkkk   
                
                
                """
CLEAR_ALL = """
                
   kkkkkkkk     
   kwwwwwwkk    
 kkkkkkkkwkk    
 kwwwwwwkkwk    
 kwkkkkwkwwk    
 kwwwwwwkwwk    
 kwkkkkwkwwk    
 kwwwwwwkkkk    
 kwkkkkwk  r   r
 kwwwwwwk   r r 
 kkkkkkkk    r  
            r r 
           r   r
                
                """
GO_DOWN = """
                
                
      kkkk      
      kbbk      
      kbbk      
      kbbk      
      kbbk      
   kkkkbbkkkk   
    kbbbbbbk    
     kbbbbk     
      kbbk      
       kk       
   kkkkkkkkkk   
   kkkkkkkkkk   
                
                """
GO_UP = """
                
                
   kkkkkkkkkk   
   kkkkkkkkkk   
       kk       
      kbbk      
     kbbbbk     
    kbbbbbbk    
   kkkkbbkkkk   
      kbbk      
      kbbk      
      kbbk      
      kbbk      
      kkkk      
                
                """
ABOUT = """
                
     kkkkkk     
   kkccccccck   
  kcccccccccck  
  kccccwwcccck  
 kcccccwwccccck 
 kccccccccccccк 
 kcccccwwwccccck
 kccccccwwccccck
 kccccccwwccccck
  kcccccwwcccck 
  kccccwwwwccck 
   kkcccccccck  
     kkkkkkk    
                
                """.replace('к', 'k')

FOLLOW_END = """
                
kkkkkkkk        
kwwwwwwk        
kwkkkkwk  kkkk  
kwwwwwwk  kbbk  
kwkkkkwk  kbbk  
kwwwwwwk  kbbk  
kwkkkkwkkkkbbkkk
kwwwwwwk kbbbbk 
kwkkkkwk  kbbk  
kwwwwwwk   kk   
kwkkkkwkkkkkkkkk
kwwwwwwkkkkkkkkk
kkkkkkkk        
                
                """

FILTER = """
                
 kkkkkkkkkkkkkk 
 kccccccccccccк 
  kcccccccccck  
   kccccccccк   
    kcccccck    
     kcccck     
      kcck      
      kcck      
      kcck      
      kcck      
      kcck      
      kbbk      
      kbbk      
       kk       
                """.replace('к', 'k')

TOOLBAR = [COPY, PREVIEW, PRINT, CLEAR, CLEAR_ALL, GO_DOWN, GO_UP, FOLLOW_END, FILTER, ABOUT]

ICON = """
................
.kkkkkkkkkk.....
.kwwwwwwwwkk....
.kwkkkkkwwkwk...
.kwwwwwwwwkkkk..
.kwkkkkkkkwwwk..
.kwwwwwwwwwwwk..
.kwkkkkkwwwwwk..
.kwwwwwwwwkkkkk.
.kwkkkkkwkcccck.
.kwwwwwwwkckkck.
.kwkkkkkwkcccck.
.kwwwwwwwkckkck.
.kkkkkkkkkcccck.
.........kkkkkk.
................"""


def rows_of(picture, height=16):
    rows = [row for row in picture.split('\n')[1:]]
    rows = [(row + ' ' * 16)[:16] for row in rows][:height]
    while len(rows) < height:
        rows.append(' ' * 16)
    return rows


def strip_pixels(pictures, height):
    grids = [rows_of(p, height) for p in pictures]
    return [[PALETTE[ch] for g in grids for ch in g[y]] for y in range(height)]


def icon_pixels_16(picture):
    """The 16 x 16 pixel art as colours, None where transparent."""
    return [[None if ch == '.' else PALETTE[ch] for ch in row] for row in rows_of(picture)]


def icon_pixels_large(n):
    """The same picture drawn at n pixels: a page of log lines beside a blue log book."""
    pixels = [[None] * n for _ in range(n)]
    at = lambda v: int(round(v * n / 16))

    def rect(x0, y0, x1, y1, ch):
        for y in range(max(0, y0), min(n, y1)):
            for x in range(max(0, x0), min(n, x1)):
                pixels[y][x] = PALETTE[ch]

    left, top, right, bottom = at(1), at(1), at(12), at(14)
    fold = at(3)
    rect(left, top, right, bottom, 'k')
    rect(left + 1, top + 1, right - 1, bottom - 1, 'w')
    for i in range(fold):
        for x in range(right - fold + i + 1, right):
            pixels[top + i][x] = None
        pixels[top + i][right - fold + i] = PALETTE['k']
    rect(right - fold, top + fold - 1, right, top + fold, 'k')
    rect(right - fold, top, right - fold + 1, top + fold, 'k')
    thick = max(1, n // 24)
    for row in range(5):
        y = at(3.5 + row * 2)
        rect(left + at(1.5), y, right - at(1.5) - (fold if row == 0 else 0), y + thick, 'g' if row % 2 else 'k')
    bx0, by0, bx1, by1 = at(8.5), at(7.5), at(15), at(15)
    rect(bx0, by0, bx1, by1, 'k')
    rect(bx0 + 1, by0 + 1, bx1 - 1, by1 - 1, 'c')
    for y in (at(9.5), at(12)):
        rect(bx0 + at(1.5), y, bx1 - at(1.5), y + max(1, n // 16), 'b')
    rect(bx0 + at(1), by0 + 1, bx0 + at(1) + 1, by1 - 1, 'k')
    return pixels


if __name__ == '__main__':
    write_bmp('tree.bmp', strip_pixels(TREE, 16))
    write_bmp('toolbar.bmp', strip_pixels(TOOLBAR, 16))
    write_icon('brenlo.ico', [icon_pixels_large(48), icon_pixels_large(32), icon_pixels_16(ICON)])
