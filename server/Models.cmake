# The shipped models, learned at build time and offline from what the project
# holds: the chorale corpus (types 0..3, its "valid" split held out for
# evaluation) and the drum-bearing songs the set-up installs (types 4 and 5,
# every fifth song held out). Corpus MIDI -> learning schedules (quorvel-cli
# schedule) -> models (quorvel-server train) in ${QUORVEL_DATA_DIR}/models.
set(chorales ${CMAKE_SOURCE_DIR}/data/corpus/chorales)
set(drum_songs_dir /usr/share/games/openttd/baseset/openmsx)
set(schedules ${CMAKE_BINARY_DIR}/server/schedules)
set(models ${QUORVEL_DATA_DIR}/models)
if(NOT EXISTS ${chorales}/train OR NOT EXISTS ${CMAKE_SOURCE_DIR}/src/cli/CmdSchedule.cpp)
  message(STATUS "No chorale corpus or schedule converter yet: the server's models are not built")
  return()
endif()

file(GLOB chorales_train CONFIGURE_DEPENDS ${chorales}/train/*.mid)
file(GLOB chorales_valid CONFIGURE_DEPENDS ${chorales}/valid/*.mid)
file(GLOB drum_songs ${drum_songs_dir}/*.mid)
list(SORT drum_songs)
set(drums_train)
set(drums_valid)
set(index 0)
foreach(song IN LISTS drum_songs)
  math(EXPR held_out "${index} % 5")
  if(held_out EQUAL 4)
    list(APPEND drums_valid ${song})
  else()
    list(APPEND drums_train ${song})
  endif()
  math(EXPR index "${index} + 1")
endforeach()

set(schedule_files)
function(make_schedules split type files)
  if(type EQUAL 0)
    set(outputs ${schedules}/${split}-type0.txt)
  elseif(type EQUAL 4)
    # voices and drums of the same sections pair up for type 5; drums alone continue in type 4
    set(outputs ${schedules}/${split}-type5-source.txt ${schedules}/${split}-type5-target.txt ${schedules}/${split}-type4.txt)
  else()
    set(outputs ${schedules}/${split}-type${type}-source.txt ${schedules}/${split}-type${type}-target.txt)
  endif()
  add_custom_command(OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${schedules}
    COMMAND quorvel-cli schedule --type ${type} -o ${outputs} ${files}
    DEPENDS quorvel-cli ${files}
    COMMENT "Learning schedules of type ${type} (${split})"
    VERBATIM)
  set(schedule_files ${schedule_files} ${outputs} PARENT_SCOPE)
endfunction()

foreach(split train valid)
  foreach(type 0 1 2 3)
    make_schedules(${split} ${type} "${chorales_${split}}")
  endforeach()
  if(drums_${split})
    make_schedules(${split} 4 "${drums_${split}}")
  endif()
endforeach()

set(model_files)
function(train_model type name)
  set(inputs ${ARGN})
  set(output ${models}/type${type}-0${name}.qvm)
  add_custom_command(OUTPUT ${output}
    COMMAND quorvel-server train --type ${type} --genre 0 --name ${name} --models ${models} ${inputs}
    DEPENDS quorvel-server ${inputs}
    COMMENT "Training the type ${type} model \"${name}\""
    VERBATIM)
  set(model_files ${model_files} ${output} PARENT_SCOPE)
endfunction()

train_model(0 chorales ${schedules}/train-type0.txt)
foreach(type 1 2 3)
  train_model(${type} chorales ${schedules}/train-type${type}-source.txt ${schedules}/train-type${type}-target.txt)
endforeach()
if(drums_train)
  train_model(4 drums ${schedules}/train-type4.txt)
  train_model(5 drums ${schedules}/train-type5-source.txt ${schedules}/train-type5-target.txt)
endif()

add_custom_target(server_models ALL DEPENDS ${model_files} ${schedule_files})
install(FILES ${model_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel/models)
