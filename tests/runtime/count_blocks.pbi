; count_blocks.pbi - counts the memory blocks a program holds, so that a test
; can show that the engine frees all it allocated. Include it before the
; generated scanner: its macros stand in for AllocateMemory, ReAllocateMemory
; and FreeMemory in every line after it.

Global CountBlocksLive.i = 0

Procedure.i CountBlocksAllocate(size.i)
  Protected *block = AllocateMemory(size)
  If *block <> 0
    CountBlocksLive = CountBlocksLive + 1
  EndIf
  ProcedureReturn *block
EndProcedure

Procedure.i CountBlocksReAllocate(*block, size.i)
  Protected *moved = ReAllocateMemory(*block, size)
  If *moved <> 0 And *block = 0
    CountBlocksLive = CountBlocksLive + 1
  EndIf
  ProcedureReturn *moved
EndProcedure

Procedure CountBlocksFree(*block)
  FreeMemory(*block)
  CountBlocksLive = CountBlocksLive - 1
EndProcedure

Macro AllocateMemory(size)
  CountBlocksAllocate(size)
EndMacro

Macro ReAllocateMemory(block, size)
  CountBlocksReAllocate(block, size)
EndMacro

Macro FreeMemory(block)
  CountBlocksFree(block)
EndMacro
