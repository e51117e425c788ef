# Where the embedded data sets come from, and how they are compressed and embedded.
#
# TABULON_DATA_DIR names a folder with the official ICD-10-CM files (icd10cm_tabular_YYYY.xml and
# the other XML files). Without it the build embeds the small sample data set of
# program/resources/sample and says so loudly.
set(TABULON_DATA_DIR "${PROJECT_SOURCE_DIR}/../shared/data/icd10cm-2023"
    CACHE PATH "Folder with the official ICD-10-CM files to embed")
set(TABULON_SAMPLE_DATA_DIR "${PROJECT_SOURCE_DIR}/program/resources/sample")

# Sets AYEAR_VAR to the edition that the tabular list of ADIR declares in its version element,
# or to an empty string when ADIR holds no tabular list.
function(tabulon_read_data_year ADIR AYEAR_VAR)
  file(GLOB _tabular LIST_DIRECTORIES false "${ADIR}/icd10cm_tabular_*.xml")
  set(_year "")
  if(_tabular)
    list(GET _tabular 0 _file)
    file(STRINGS "${_file}" _version REGEX "<version>[0-9]+</version>" LIMIT_COUNT 1)
    string(REGEX MATCH "[0-9]+" _year "${_version}")
  endif()
  set(${AYEAR_VAR} "${_year}" PARENT_SCOPE)
endfunction()

tabulon_read_data_year("${TABULON_DATA_DIR}" TABULON_DATA_YEAR)
if(TABULON_DATA_YEAR)
  set(TABULON_DATA_SOURCE "${TABULON_DATA_DIR}")
  message(STATUS "Embedding the ICD-10-CM ${TABULON_DATA_YEAR} data sets of ${TABULON_DATA_DIR}")
else()
  tabulon_read_data_year("${TABULON_SAMPLE_DATA_DIR}" TABULON_DATA_YEAR)
  set(TABULON_DATA_SOURCE "${TABULON_SAMPLE_DATA_DIR}")
  message(WARNING
    "\n*** No ICD-10-CM files in TABULON_DATA_DIR (${TABULON_DATA_DIR}).\n"
    "*** Tabulon will carry only the small SAMPLE data set of program/resources/sample.\n"
    "*** Configure with -DTABULON_DATA_DIR=/path/to/icd10cm-files to embed the real classification.\n")
endif()
set(TABULON_SAMPLE_DATA_YEAR "")
tabulon_read_data_year("${TABULON_SAMPLE_DATA_DIR}" TABULON_SAMPLE_DATA_YEAR)

# The eight data sets: resource name, source file stem (YEAR stands for the edition), extension.
set(TABULON_DATA_SETS
  "Tabular|icd10cm_tabular_YEAR|.xml"
  "DIndex|icd10cm_index_YEAR|.xml"
  "EIndex|icd10cm_eindex_YEAR|.xml"
  "TableOfDrugs|icd10cm_drug_YEAR|.xml"
  "TableOfNeoplasms|icd10cm_neoplasm_YEAR|.xml"
  "CodeKeywords|CodeKeywordsYEAR|.txt"
  "SpecialKWs|SpecialKWsYEAR|.txt"
  "ShortDesc|ReportableCodesShortYEAR|.txt")

# tabulon_add_datasets(TARGET SOURCE_DIR YEAR)
# Compresses the eight sources with the project's own CompressFile (tabulon-dataprep) and builds
# an OBJECT library TARGET that embeds them and defines EmbeddedResources(). Text data sets that
# SOURCE_DIR does not hold yet are embedded as empty documents.
function(tabulon_add_datasets ATARGET ASOURCE_DIR AYEAR)
  set(_out "${CMAKE_CURRENT_BINARY_DIR}/${ATARGET}")
  file(MAKE_DIRECTORY "${_out}")
  set(_asm "")
  set(_decl "")
  set(_table "")
  set(_packed "")
  foreach(_entry IN LISTS TABULON_DATA_SETS)
    string(REPLACE "|" ";" _parts "${_entry}")
    list(GET _parts 0 _name)
    list(GET _parts 1 _stem)
    list(GET _parts 2 _ext)
    string(REPLACE "YEAR" "${AYEAR}" _stem "${_stem}")
    set(_source "${ASOURCE_DIR}/${_stem}${_ext}")
    if(NOT EXISTS "${_source}")
      set(_source "${_out}/${_stem}${_ext}")
      if(NOT EXISTS "${_source}")
        file(WRITE "${_source}" "")
      endif()
    endif()
    set(_dzip "${_out}/${_stem}.dzip")
    add_custom_command(OUTPUT "${_dzip}"
      COMMAND tabulon-dataprep compress "${_source}" "${_dzip}"
      DEPENDS tabulon-dataprep "${_source}"
      COMMENT "Compressing data set ${_name} (${_stem}${_ext})"
      VERBATIM)
    list(APPEND _packed "${_dzip}")
    string(APPEND _asm
      "  .global tabulon_ds_${_name}_begin\n  .global tabulon_ds_${_name}_end\n"
      "  .balign 16\ntabulon_ds_${_name}_begin:\n  .incbin \"${_dzip}\"\ntabulon_ds_${_name}_end:\n")
    string(APPEND _decl
      "extern \"C\" const std::uint8_t tabulon_ds_${_name}_begin[];\n"
      "extern \"C\" const std::uint8_t tabulon_ds_${_name}_end[];\n")
    string(APPEND _table
      "    {\"${_name}\", tabulon_ds_${_name}_begin, tabulon_ds_${_name}_end},\n")
  endforeach()

  file(WRITE "${_out}/datasets.S.tmp"
    "// Generated: the compressed data sets, embedded byte for byte.\n"
    "  .section .rodata.tabulon_datasets,\"a\"\n${_asm}"
    "  .section .note.GNU-stack,\"\",@progbits\n")
  file(WRITE "${_out}/EmbeddedResourceTable.cpp.tmp"
    "// Generated: the table of embedded data sets.\n#include \"EmbeddedResources.h\"\n\n"
    "${_decl}\nnamespace {\nconst TEmbeddedResource kResources[] = {\n${_table}};\n}\n\n"
    "std::span<const TEmbeddedResource> EmbeddedResources() { return kResources; }\n")
  foreach(_f datasets.S EmbeddedResourceTable.cpp)
    configure_file("${_out}/${_f}.tmp" "${_out}/${_f}" COPYONLY)
  endforeach()

  add_custom_target(${ATARGET}_packed DEPENDS ${_packed})
  add_library(${ATARGET} OBJECT "${_out}/datasets.S" "${_out}/EmbeddedResourceTable.cpp")
  set_source_files_properties("${_out}/datasets.S" PROPERTIES OBJECT_DEPENDS "${_packed}")
  add_dependencies(${ATARGET} ${ATARGET}_packed)
  target_link_libraries(${ATARGET} PRIVATE tabulon_engine)
endfunction()
