// quorvel_core is the union of the subsystems' libraries; this file gives it a body of its own.
namespace quorvel {
extern const int core_library_anchor = 0;
}
