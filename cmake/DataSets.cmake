# Where the embedded data sets come from, and how they are derived, compressed and embedded.
#
# TABULON_DATA_DIR names a folder with the official ICD-10-CM files (icd10cm_tabular_YYYY.xml,
# icd10cm_index_YYYY.xml, icd10cm_eindex_YYYY.xml, icd10cm_drug_YYYY.xml,
# icd10cm_neoplasm_YYYY.xml and icd10cm_order_YYYY.txt). Without them the build embeds the small
# sample data set of program/resources/sample and says so loudly.
set(TABULON_DATA_DIR "${PROJECT_SOURCE_DIR}/../shared/data/icd10cm-2023"
    CACHE PATH "Folder with the official ICD-10-CM files to embed")
set(TABULON_SAMPLE_DATA_DIR "${PROJECT_SOURCE_DIR}/program/resources/sample")
set(TABULON_PLURALS_FILE "${PROJECT_SOURCE_DIR}/program/resources/IrregularPlurals.txt")

# Sets AYEAR_VAR to the edition that the tabular list AFILE declares in its version element.
function(tabulon_read_data_year AFILE AYEAR_VAR)
  set(_year "")
  if(EXISTS "${AFILE}")
    file(STRINGS "${AFILE}" _version REGEX "<version>[0-9]+</version>" LIMIT_COUNT 1)
    string(REGEX MATCH "[0-9]+" _year "${_version}")
  endif()
  set(${AYEAR_VAR} "${_year}" PARENT_SCOPE)
endfunction()

# The official files of TABULON_DATA_DIR, when they are all there.
set(TABULON_DATA_YEAR "")
file(GLOB _official_tabular LIST_DIRECTORIES false "${TABULON_DATA_DIR}/icd10cm_tabular_*.xml")
if(_official_tabular)
  list(GET _official_tabular 0 _official_tabular)
  tabulon_read_data_year("${_official_tabular}" TABULON_DATA_YEAR)
endif()
set(TABULON_DATA_FILES "")
if(TABULON_DATA_YEAR)
  foreach(_kind tabular index eindex drug neoplasm)
    list(APPEND TABULON_DATA_FILES "${TABULON_DATA_DIR}/icd10cm_${_kind}_${TABULON_DATA_YEAR}.xml")
  endforeach()
  list(APPEND TABULON_DATA_FILES "${TABULON_DATA_DIR}/icd10cm_order_${TABULON_DATA_YEAR}.txt")
  foreach(_file IN LISTS TABULON_DATA_FILES)
    if(NOT EXISTS "${_file}")
      message(WARNING "TABULON_DATA_DIR lacks ${_file}")
      set(TABULON_DATA_YEAR "")
    endif()
  endforeach()
endif()

set(TABULON_SAMPLE_DATA_FILES "")
foreach(_kind tabular index eindex drug neoplasm)
  list(APPEND TABULON_SAMPLE_DATA_FILES "${TABULON_SAMPLE_DATA_DIR}/${_kind}.xml")
endforeach()
list(APPEND TABULON_SAMPLE_DATA_FILES "${TABULON_SAMPLE_DATA_DIR}/order.txt")
tabulon_read_data_year("${TABULON_SAMPLE_DATA_DIR}/tabular.xml" TABULON_SAMPLE_DATA_YEAR)

if(TABULON_DATA_YEAR)
  set(TABULON_EMBEDS_OFFICIAL_DATA 1)
  set(TABULON_DATA_SOURCE "${TABULON_DATA_DIR}")
  message(STATUS "Embedding the ICD-10-CM ${TABULON_DATA_YEAR} data sets of ${TABULON_DATA_DIR}")
else()
  set(TABULON_EMBEDS_OFFICIAL_DATA 0)
  set(TABULON_DATA_YEAR "${TABULON_SAMPLE_DATA_YEAR}")
  set(TABULON_DATA_SOURCE "${TABULON_SAMPLE_DATA_DIR}")
  set(TABULON_DATA_FILES "${TABULON_SAMPLE_DATA_FILES}")
  message(WARNING
    "\n*** No complete set of ICD-10-CM files in TABULON_DATA_DIR (${TABULON_DATA_DIR}).\n"
    "*** Tabulon will carry only the small SAMPLE data set of program/resources/sample.\n"
    "*** Configure with -DTABULON_DATA_DIR=/path/to/icd10cm-files to embed the real classification.\n")
endif()

# tabulon_add_datasets(TARGET YEAR TABULAR INDEX EINDEX DRUG NEOPLASM ORDER)
# Derives the text data sets and the tabular list with its exception rules with the project's own
# administrator operations (tabulon-dataprep), compresses the eight data sets and builds an
# OBJECT library TARGET that embeds them and defines EmbeddedResources().
function(tabulon_add_datasets ATARGET AYEAR ATABULAR AINDEX AEINDEX ADRUG ANEOPLASM AORDER)
  set(_out "${CMAKE_CURRENT_BINARY_DIR}/${ATARGET}")
  file(MAKE_DIRECTORY "${_out}")
  set(_prep $<TARGET_FILE:tabulon-dataprep>)

  # The sources of the eight data sets under their stems.
  set(_tabular "${_out}/icd10cm_tabular_${AYEAR}.xml")
  set(_short "${_out}/ReportableCodesShort${AYEAR}.txt")
  set(_keywords "${_out}/CodeKeywords${AYEAR}.txt")
  set(_plurals "${_out}/SpecialKWs${AYEAR}.txt")
  add_custom_command(OUTPUT "${_tabular}"
    COMMAND ${_prep} exception-rules "${ATABULAR}" "${AORDER}" "${_tabular}"
    DEPENDS tabulon-dataprep "${ATABULAR}" "${AORDER}"
    COMMENT "Deriving the seventh-character exception rules (${ATARGET})" VERBATIM)
  add_custom_command(OUTPUT "${_short}"
    COMMAND ${_prep} order-files "${AORDER}" "${_out}" "${AYEAR}"
    COMMAND ${CMAKE_COMMAND} -E copy "${_out}/ICD_10_${AYEAR}_ReportableCodesShort.txt" "${_short}"
    DEPENDS tabulon-dataprep "${AORDER}"
    COMMENT "Deriving the short descriptions from the order file (${ATARGET})" VERBATIM)
  add_custom_command(OUTPUT "${_keywords}"
    COMMAND ${_prep} code-keywords "${ATABULAR}" "${AINDEX}" "${_keywords}"
    DEPENDS tabulon-dataprep "${ATABULAR}" "${AINDEX}"
    COMMENT "Deriving the code keywords (${ATARGET})" VERBATIM)
  add_custom_command(OUTPUT "${_plurals}"
    COMMAND ${CMAKE_COMMAND} -E copy "${TABULON_PLURALS_FILE}" "${_plurals}"
    DEPENDS "${TABULON_PLURALS_FILE}" VERBATIM)

  set(_sources
    "Tabular|${_tabular}|icd10cm_tabular_${AYEAR}"
    "DIndex|${AINDEX}|icd10cm_index_${AYEAR}"
    "EIndex|${AEINDEX}|icd10cm_eindex_${AYEAR}"
    "TableOfDrugs|${ADRUG}|icd10cm_drug_${AYEAR}"
    "TableOfNeoplasms|${ANEOPLASM}|icd10cm_neoplasm_${AYEAR}"
    "CodeKeywords|${_keywords}|CodeKeywords${AYEAR}"
    "SpecialKWs|${_plurals}|SpecialKWs${AYEAR}"
    "ShortDesc|${_short}|ReportableCodesShort${AYEAR}")
  set(_asm "")
  set(_decl "")
  set(_table "")
  set(_packed "")
  foreach(_entry IN LISTS _sources)
    string(REPLACE "|" ";" _parts "${_entry}")
    list(GET _parts 0 _name)
    list(GET _parts 1 _source)
    list(GET _parts 2 _stem)
    set(_dzip "${_out}/${_stem}.dzip")
    add_custom_command(OUTPUT "${_dzip}"
      COMMAND ${_prep} compress "${_source}" "${_dzip}"
      DEPENDS tabulon-dataprep "${_source}"
      COMMENT "Compressing data set ${_name} (${ATARGET})" VERBATIM)
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
