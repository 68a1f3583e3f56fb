/* libmx of the foreign host: arrays and host memory.
 *
 * The array layout is of this host's own choosing: the imaginary part comes first, the
 * class id sits between the column count and the data, char data are 16-bit code units,
 * and an empty array has no data at all. A module that read an array's fields directly
 * instead of through these functions would read nonsense here, which is the point.
 *
 * Every array and mxCalloc block lives in one block of memory on one of two lists: the
 * current gateway call's, freed as a whole when the call ends, or the host's. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "foreign_runtime.h"

#define FOREIGN_ARRAY_MAGIC 0x46784172u

struct foreign_array {
  double *imag;
  size_t columns;
  uint32_t magic;
  int32_t class_id;
  void *data;         /* doubles or 16-bit code units; NULL when empty */
  size_t rows;
  uint32_t object_tag;
  bool complex_values;  /* also for an empty array, which has no imaginary part to point at */
};

struct block {
  struct block *prev, *next;
  struct block **list;
};

/* The head keeps the payload after it aligned for any type. */
union block_head {
  struct block link;
  max_align_t align;
};

static struct block *call_blocks, *host_blocks;
static bool in_call;
static struct foreign_mx_counts counts;

static void link_block(struct block *b, struct block **list) {
  b->list = list;
  b->prev = NULL;
  b->next = *list;
  if (*list) (*list)->prev = b;
  *list = b;
}

static void unlink_block(struct block *b) {
  if (b->prev) b->prev->next = b->next;
  else *b->list = b->next;
  if (b->next) b->next->prev = b->prev;
}

static void *new_block(size_t payload) {
  if (payload > SIZE_MAX - sizeof(union block_head)) return NULL;
  union block_head *head = calloc(1, sizeof *head + payload);
  if (!head) return NULL;
  link_block(&head->link, in_call ? &call_blocks : &host_blocks);
  counts.live_blocks++;
  return head + 1;
}

static struct block *block_of(const void *payload) {
  return &((union block_head *)payload - 1)->link;
}

static void *payload_of(struct block *b) { return (union block_head *)b + 1; }

static void free_block(void *payload) {
  struct block *b = block_of(payload);
  unlink_block(b);
  free(b);
  counts.live_blocks--;
}

static bool on_list(const struct block *b, const struct block *list) {
  for (; list; list = list->next)
    if (list == b) return true;
  return false;
}

bool foreign_mx_owns(const mxArray *array) {
  if (!array) return false;
  const struct block *b = block_of(array);
  return (on_list(b, call_blocks) || on_list(b, host_blocks)) &&
         array->magic == FOREIGN_ARRAY_MAGIC;
}

/* Every query goes through here: an array this library did not make is a misuse. */
static const struct foreign_array *checked(const mxArray *array) {
  if (foreign_mx_owns(array)) return array;
  counts.misuses++;
  return NULL;
}

static size_t round_up(size_t n) {
  const size_t a = _Alignof(max_align_t);
  return (n + a - 1) / a * a;
}

static struct foreign_array *make_array(int class_id, size_t rows, size_t columns,
                                        size_t element, bool complex_values) {
  size_t elements, bytes;
  if (__builtin_mul_overflow(rows, columns, &elements) ||
      __builtin_mul_overflow(elements, element, &bytes) || bytes > SIZE_MAX / 4) {
    counts.misuses++;
    return NULL;
  }
  size_t plane = round_up(bytes);
  struct foreign_array *a = new_block(round_up(sizeof *a) + plane * (complex_values ? 2 : 1));
  if (!a) return NULL;
  a->magic = FOREIGN_ARRAY_MAGIC;
  a->class_id = class_id;
  a->rows = rows;
  a->columns = columns;
  a->complex_values = complex_values;
  if (elements) {
    a->data = (char *)a + round_up(sizeof *a);
    if (complex_values) a->imag = (double *)((char *)a->data + plane);
  }
  return a;
}

void foreign_mx_begin_call(void) {
  if (in_call) counts.misuses++;
  in_call = true;
}

void foreign_mx_end_call(mxArray *results[], int count) {
  for (int i = 0; i < count; i++) {
    if (!results[i]) continue;
    struct block *b = block_of(results[i]);
    if (!foreign_mx_owns(results[i])) counts.misuses++;
    else if (b->list == &call_blocks) {
      unlink_block(b);
      link_block(b, &host_blocks);
    }
  }
  while (call_blocks) free_block(payload_of(call_blocks));
  in_call = false;
}

void foreign_mx_destroy(mxArray *array) {
  if (checked(array)) free_block(array);
}

struct foreign_mx_counts foreign_mx_counts(void) { return counts; }

void *mxCalloc(size_t count, size_t size) {
  counts.callocs++;
  size_t bytes;
  if (__builtin_mul_overflow(count, size, &bytes)) {
    counts.misuses++;
    return NULL;
  }
  return new_block(bytes);
}

mxArray *mxCreateString(const char *text) {
  if (!text) {
    counts.misuses++;
    return NULL;
  }
  size_t n = strlen(text);
  struct foreign_array *a = make_array(FX_CHAR, 1, n, sizeof(uint16_t), false);
  uint16_t *units = a ? a->data : NULL;
  for (size_t i = 0; units && i < n; i++) units[i] = (unsigned char)text[i];
  return a;
}

mxArray *mxCreateDoubleScalar(double value) {
  struct foreign_array *a = make_array(FX_DOUBLE, 1, 1, sizeof(double), false);
  if (a) *(double *)a->data = value;
  return a;
}

mxArray *mxCreateDoubleMatrix_700(size_t rows, size_t columns, int complexity) {
  if (complexity != 0 && complexity != 1) {
    counts.misuses++;
    return NULL;
  }
  return make_array(FX_DOUBLE, rows, columns, sizeof(double), complexity == 1);
}

mxArray *foreign_mx_create_object(uint32_t tag) {
  struct foreign_array *a = make_array(FX_UNKNOWN, 1, 1, 0, false);
  if (a) a->object_tag = tag;
  return a;
}

bool foreign_mx_object_tag(const mxArray *array, uint32_t *tag) {
  if (!foreign_mx_owns(array) || array->class_id != FX_UNKNOWN) return false;
  *tag = array->object_tag;
  return true;
}

long foreign_mx_text(const mxArray *array, char *out, size_t capacity) {
  const struct foreign_array *a = checked(array);
  if (!a || a->class_id != FX_CHAR || capacity == 0) return -1;
  size_t n = a->rows * a->columns, i = 0;
  const uint16_t *units = a->data;
  for (; i < n && i + 1 < capacity; i++) out[i] = units[i] <= 0xFF ? (char)units[i] : '?';
  out[i] = '\0';
  return (long)n;
}

size_t mxGetM(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a ? a->rows : 0;
}

size_t mxGetN(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a ? a->columns : 0;
}

/* Only double arrays hold doubles; asking another class for them is answered with
 * nothing rather than with bytes of another kind. */
double *mxGetPr(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a && a->class_id == FX_DOUBLE ? a->data : NULL;
}

bool mxIsComplex(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a && a->complex_values;
}

bool mxIsNumeric(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a && a->class_id >= FX_DOUBLE && a->class_id <= FX_UINT64;
}

int mxGetClassID(const mxArray *array) {
  const struct foreign_array *a = checked(array);
  return a ? a->class_id : FX_UNKNOWN;
}
