## same_bits (ACTUAL, EXPECTED): ACTUAL is single and holds, element for element, the
## very bits of EXPECTED rounded to single (as a decimal text of a single reads back).
function same_bits (actual, expected)
  assert (class (actual), "single");
  assert (size (actual), size (expected));
  bits = typecast (actual(:), "uint32");
  expected_bits = typecast (single (expected(:)), "uint32");
  differing = find (bits != expected_bits);
  if (! isempty (differing))
    error ("%d of %d values differ; the first at element %d: %.9g instead of %.9g",
           numel (differing), numel (bits), differing(1), actual(differing(1)),
           expected(differing(1)));
  endif
endfunction
