# Copies the runtime include next to the built program when it exists.
if(EXISTS "${SOURCE}")
  file(COPY_FILE "${SOURCE}" "${TARGET_DIR}/PBTarnwickInc.pbi" ONLY_IF_DIFFERENT)
else()
  message(STATUS "runtime include not written yet: ${SOURCE}")
endif()
