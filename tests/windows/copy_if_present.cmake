# Copies FROM into the folders TO and TO2 when it exists: the staged program
# folders must build before every piece of the program is written.
if(EXISTS "${FROM}")
  file(COPY "${FROM}" DESTINATION "${TO}")
  file(COPY "${FROM}" DESTINATION "${TO2}")
endif()
