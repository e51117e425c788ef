# Tests of the operating-system families of libGravik (included by
# CMakeLists.txt; gravik_add_test is defined there).
gravik_add_test(thread thread_test.cpp)
gravik_add_test(sync sync_test.cpp)
gravik_add_test(ipcmutex ipcmutex_test.cpp)
gravik_add_test(file file_test.cpp)
gravik_add_test(inifile inifile_test.cpp)
gravik_add_test(log log_test.cpp)
