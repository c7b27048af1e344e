// The block-chain library: an ordered chain of typed, variable-length blocks kept back to back in one
// memory area, written to and loaded from files (the container of tutorials).  It knows nothing of
// what the blocks mean and keeps no state of its own.
//
// The caller owns every chain it gets from PT_AllocBlockLink or PT_ReadBlockLink and gives it back
// with PT_FreeBlockLink.  An append may move the chain: its result replaces the caller's reference and
// every block address taken before it is void, so positions that must survive appends are kept as
// byte offsets from the chain's start.  Every function accepts null and then does nothing.
//
// Layout (little-endian, no padding): a 12-byte header - user value 1 (u16), user value 2 (u16),
// magic 0x2888 (u16), reserved (u16), offset of the last block from the chain's start (u32, 0 when
// empty) - then the blocks from offset 12, each a 6-byte header - type (u8), reserved (u8), length
// including these 6 bytes (u16), length of the previous block (u16, 0 for the first) - and its payload.
// A file holds exactly that image from the chain's start to the end of its last block.
#pragma once

#if defined(_WIN32)
#define PT_CALL __cdecl
#else
#define PT_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// A new empty chain holding the low 16 bits of both values in its header; null when memory runs out.
unsigned char* PT_CALL PT_AllocBlockLink(int value1, int value2);
void PT_CALL PT_FreeBlockLink(unsigned char* chain);

// Reserves a new last block of `size` payload bytes (0 to 65,529) with the low 8 bits of `type`; the
// payload is not written.  Returns the chain, possibly moved, or null (bad size, no memory) with the
// chain passed in left valid and unchanged.
unsigned char* PT_CALL PT_AppendBlock(unsigned char* chain, int type, int size);
// 1 when the block was removed; 0 for null arguments or a block that is not part of the chain.
int PT_CALL PT_DeleteBlock(unsigned char* chain, unsigned char* block);

unsigned char* PT_CALL PT_GetFstBlk(unsigned char* chain);
unsigned char* PT_CALL PT_GetLstBlk(unsigned char* chain);
unsigned char* PT_CALL PT_GetNxtBlk(unsigned char* chain, unsigned char* block);
unsigned char* PT_CALL PT_GetPreBlk(unsigned char* chain, unsigned char* block);
// Cuts the chain after `block`; the dropped blocks stay in memory until appends overwrite them.
unsigned char* PT_CALL PT_SetLstBlk(unsigned char* chain, unsigned char* block);

// 255 for a null block.
unsigned char PT_CALL PT_GetDataTypeFromBlk(unsigned char* block);
// The whole block's length, its 6-byte header included; 0 for a null block.
unsigned short PT_CALL PT_GetDataBlockSize(unsigned char* block);
unsigned char* PT_CALL PT_GetDataFromBlk(unsigned char* block);

// 1 when the file was completely written; an existing file is replaced only then.
int PT_CALL PT_WriteBlockLink(unsigned char* chain, const char* path);
// Null for a missing, unreadable or damaged file, or when memory runs out.
unsigned char* PT_CALL PT_ReadBlockLink(const char* path);

#ifdef __cplusplus
}
#endif
