# Seeds of the start-up fuzz target: each shipped language file, joined to a settings file and (in
# one seed) the shipped registry by the separator lines the target splits its input at.
#   cmake -DDATA_DIR=<data/install> -DOUTPUT_DIR=<folder> -P MakeStartupSeeds.cmake
set(settings_separator "\n----settings----\n")
set(registry_separator "\n----registry----\n")
file(READ "${DATA_DIR}/English-1033.lang" english)
file(READ "${DATA_DIR}/Deutsch-1031.lang" german)
file(READ "${DATA_DIR}/Registry.ini" registry)
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
file(WRITE "${OUTPUT_DIR}/english-europe"
     "${english}${settings_separator}[VORN Programmer v2]\nLanguage=English-1033.lang\nRegion=Europe\n")
file(WRITE "${OUTPUT_DIR}/german-usa-registry"
     "${german}${settings_separator}[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=USA\n"
     "DefaultBodeConfig=\nDefaultGofaConfig=../x.vorn\n${registry_separator}${registry}")
file(WRITE "${OUTPUT_DIR}/english-stored-region-refused"
     "${english}${settings_separator}[VORN Programmer v2]\nRegion=../../Europe\n")
file(WRITE "${OUTPUT_DIR}/german-alone" "${german}")
