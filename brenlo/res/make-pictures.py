#!/usr/bin/env python3
"""Draws the log viewer's pictures: the tree's image strip (tree.bmp, nine 16 x 16 images
on pure green, which the tree leaves transparent), the toolbar strip (toolbar.bmp) and the
frame's icon (brenlo.ico). Run it in this folder after changing a picture."""
import struct

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

TOOLBAR = [COPY, PREVIEW, PRINT, CLEAR, CLEAR_ALL, GO_DOWN, GO_UP, ABOUT]

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


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + data)


def write_ico(path, picture):
    grid = rows_of(picture)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(grid):
        bits = 0
        for x, ch in enumerate(row):
            r, g, b = PALETTE[ch]
            xor += bytes((b, g, r, 0 if ch == '.' else 255))
            if ch == '.':
                bits |= 1 << (31 - x)
        mask += struct.pack('>I', bits)
    info = struct.pack('<IiiHHIIiiII', 40, 16, 32, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    header = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 16, 16, 0, 0, 1, 32, len(image), 22)
    with open(path, 'wb') as out:
        out.write(header + image)


if __name__ == '__main__':
    write_bmp('tree.bmp', strip_pixels(TREE, 16))
    write_bmp('toolbar.bmp', strip_pixels(TOOLBAR, 16))
    write_ico('brenlo.ico', ICON)
