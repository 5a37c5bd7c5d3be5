// Under ThreadSanitizer only: Boost.Regex hands the blocks of its matching stack from thread to thread
// through a lock-free cache inside the prebuilt library, which the sanitizer cannot see, so every search on
// two threads at once looks like a race on those blocks. These definitions take the place of the library's
// (the program's own symbols come first) and allocate each block afresh, which the sanitizer follows.
#if defined(__SANITIZE_THREAD__)

#include <boost/regex.hpp>
#include <new>

namespace boost::BOOST_REGEX_DETAIL_NS {

BOOST_REGEX_DECL void* BOOST_REGEX_CALL get_mem_block() {
  return ::operator new(BOOST_REGEX_BLOCKSIZE);
}

BOOST_REGEX_DECL void BOOST_REGEX_CALL put_mem_block(void* block) {
  ::operator delete(block);
}

}  // namespace boost::BOOST_REGEX_DETAIL_NS

#endif
