# Facts of the form that the host and the page's files both rely on, said
# once here: the build writes them into a C++ header and into the form's
# page and scripts, so the copies cannot drift apart.
include_guard(GLOBAL)

macro(_form_facts)
  # The boxes of totals, tax, deductions and balances run from c2007 to c2029.
  set(FORM_FIRST_BOX 2007)
  set(FORM_LAST_BOX 2029)
  # The most rows the brand annex may hold.
  set(FORM_MAX_ANNEX_ROWS 103)
  # The form's files are HTML resources (type 23) of the module, by id: the
  # page, then its stylesheet and script modules in the order the page links them.
  set(FORM_RESOURCE_MODULE Formulario7316.exe)
  set(FORM_RESOURCE_TYPE 23)
  set(FORM_RESOURCES
    131 form7316.html
    132 form7316.css
    133 configuracion7316.js
    134 validaciones.js
    135 validacionesanexo.js
    136 funciones.js)

  set(FORM_RESOURCE_BASE "res://${FORM_RESOURCE_MODULE}/#${FORM_RESOURCE_TYPE}/#")
endmacro()

# Writes declfile/form_facts.h for the C++ side and puts it on `target`'s
# public include path.
function(target_form_facts target)
  _form_facts()
  set(resources "")
  set(pairs ${FORM_RESOURCES})
  while(pairs)
    list(POP_FRONT pairs id file)
    string(APPEND resources "    {${id}, \"${file}\"},\n")
  endwhile()
  set(FORM_RESOURCE_ROWS "${resources}")
  set(include_dir ${CMAKE_CURRENT_BINARY_DIR}/generated/facts)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/form_facts.h.in
                 ${include_dir}/declfile/form_facts.h @ONLY)
  target_include_directories(${target} PUBLIC ${include_dir})
endfunction()

# The lines that stand for the marker `marker` in the form's files.
function(_form_facts_lines marker output_var)
  _form_facts()
  if(marker STREQUAL "// @FORM_FACTS@")
    set(text "var MAXANEXOS = ${FORM_MAX_ANNEX_ROWS};           // most rows the brand annex may hold
var PRIMERACASILLA = ${FORM_FIRST_BOX};     // first and last of the boxes c${FORM_FIRST_BOX} to c${FORM_LAST_BOX}
var ULTIMACASILLA = ${FORM_LAST_BOX};")
  elseif(marker STREQUAL "<!-- @FORM_RESOURCES@ -->")
    set(pairs ${FORM_RESOURCES})
    list(POP_FRONT pairs page_id page)
    list(POP_FRONT pairs stylesheet_id stylesheet)
    set(text "<link rel=\"stylesheet\" href=\"${FORM_RESOURCE_BASE}${stylesheet_id}\" type=\"text/css\">")
    while(pairs)
      list(POP_FRONT pairs id file)
      string(APPEND text "\n<script type=\"text/javascript\" src=\"${FORM_RESOURCE_BASE}${id}\"></script>")
    endwhile()
  else()
    message(FATAL_ERROR "no form facts for the marker ${marker}")
  endif()
  set(${output_var} "${text}" PARENT_SCOPE)
endfunction()

# Writes the form file `template` with the facts put in place of its marker
# line `marker`; stores the path of the written file in `output_var`.
function(form_facts_file template marker output_var)
  get_filename_component(template ${template} ABSOLUTE)
  get_filename_component(name ${template} NAME)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  file(READ ${template} text)
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${template}: the line \"${marker}\" is missing")
  endif()
  _form_facts_lines("${marker}" lines)
  string(REPLACE "${marker}" "${lines}" text "${text}")
  set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/${name})
  file(WRITE ${output}.new "${text}")
  file(COPY_FILE ${output}.new ${output} ONLY_IF_DIFFERENT)
  file(REMOVE ${output}.new)
  set(${output_var} ${output} PARENT_SCOPE)
endfunction()

# Stores the names of the form's files, in the order of their ids, in `output_var`.
function(form_resource_files output_var)
  _form_facts()
  set(files "")
  set(pairs ${FORM_RESOURCES})
  while(pairs)
    list(POP_FRONT pairs id file)
    list(APPEND files ${file})
  endwhile()
  set(${output_var} ${files} PARENT_SCOPE)
endfunction()
