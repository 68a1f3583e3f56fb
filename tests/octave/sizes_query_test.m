## The command-line sizes query of the module as Octave loads it.
function sizes_query_test ()
  expected = [0; 0; 2; 9; 0; 0; 1; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 0; 8480229; 0; 0; 0; ...
              537403394; 0; 0; 0; 0; 0; 0; 0; 524290; zeros(8, 1)];

  s = Corvalent2 (0, [], 0, 0);
  assert (class (s), "double");
  assert (size (s), [40, 1]);
  assert (isreal (s));
  assert (isequal (s, expected));

  ## No output asked for: the vector still comes back, into ans.
  clear ans;
  Corvalent2 (0, [], 0, 0);
  assert (isequal (ans, expected));

  ## A second argument that is no handle selects the same query.
  assert (isequal (Corvalent2 ("x", [1; 2; 3], [], 0), expected));
  assert (isequal (Corvalent2 (0, [1; 2; 8480229; 4], 0, 0), expected));
  assert (isequal (Corvalent2 (0, [1, 2, 8480229], 0, 0), expected));

  ## A dialog parameter stops the size declaration at once.
  five = zeros (40, 1);
  five(20) = 8480229;
  five(24) = 8192;
  assert (isequal (Corvalent2 (0, [], 0, 0, 7), five));
  assert (isequal (Corvalent2 (0, [], 0, -0, "p", {}), five));

  ## Every query starts from a record of its own.
  for k = 1:3
    assert (isequal (Corvalent2 (0, [], 0, 0), expected));
  endfor
endfunction
